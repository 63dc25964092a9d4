/* A virtual pointer for a headless wlroots compositor. Reads lines from standard input:
   "abs X Y" (compositor pixels), "rel DX DY", "btn CODE 1|0" (codes of linux/input-event-codes.h:
   272 left, 273 right) and "quit"; answers each with "ok" once the compositor has it. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client.h"

static struct zwlr_virtual_pointer_manager_v1* manager;
static struct wl_seat* seat;

static void on_global(void* data, struct wl_registry* registry, uint32_t name, const char* iface,
                      uint32_t version) {
    (void)data;
    (void)version;
    if (strcmp(iface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    else if (strcmp(iface, wl_seat_interface.name) == 0)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
}

static void on_global_remove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {on_global, on_global_remove};

static uint32_t now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

int main(int argc, char** argv) {
    const unsigned width = argc > 2 ? (unsigned)atoi(argv[1]) : 1600;
    const unsigned height = argc > 2 ? (unsigned)atoi(argv[2]) : 1000;
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        perror("wl_display_connect");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "the compositor has no zwlr_virtual_pointer_manager_v1\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    printf("ready\n");
    fflush(stdout);
    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        double a, b;
        unsigned code, state;
        if (sscanf(line, "abs %lf %lf", &a, &b) == 2) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), (unsigned)a, (unsigned)b,
                                                    width, height);
        } else if (sscanf(line, "rel %lf %lf", &a, &b) == 2) {
            zwlr_virtual_pointer_v1_motion(pointer, now_ms(), wl_fixed_from_double(a),
                                           wl_fixed_from_double(b));
        } else if (sscanf(line, "btn %u %u", &code, &state) == 2) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), code, state);
        } else if (strncmp(line, "quit", 4) == 0) {
            break;
        } else {
            continue;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        printf("ok\n");
        fflush(stdout);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
