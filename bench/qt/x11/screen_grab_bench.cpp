// Screen grabs on a real X server against the raw calls they are built on, in one run on the
// same rectangles: the whole desktop and the magnifier's source for a full-HD pane at 400%
// against XShmGetImage into a reused segment, one pixel against XGetImage; Qt's screen grab
// for comparison; the command line's Qt-free desktop on a connection of its own; the PNG save
// of a 1920x1080 capture; a pick's 31 x 31 sample square at the picking tick against
// XShmGetImage of the same square. Prints the ratios at the end. Needs an X display (xvfb-run gives
// one).
#include <benchmark/benchmark.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "capture/capture_copy.h"
#include "capture/captured_image.h"
#include "overlay/CRegion.h"
#include "picking/CDesktopSampler.h"
#include "platform/qt/qt_image.h"
#include "platform/x11/CX11Desktop.h"
#include "platform/x11/xcb_support.h"
#include "platform/xcb/CXcbDesktop.h"

// Xlib last: its macros (Status, Bool, None) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace {

constexpr unsigned long kAllPlanes = ~0ul;
// The magnifier's source for a full-HD pane at 400%.
constexpr int kMagnifierWidth = 1920 / 4;
constexpr int kMagnifierHeight = 1080 / 4;
constexpr int kCaptureWidth = 1920;
constexpr int kCaptureHeight = 1080;
constexpr int kCheck = 8;
constexpr int kSegmentMode = 0600;

nl::CX11Desktop& Desktop() {
    static nl::CX11Desktop desktop;
    return desktop;
}

nl::Rect Screen() {
    return Desktop().VirtualScreen();
}

nl::Rect MagnifierSource() {
    const nl::Rect s = Screen();
    const int left = (s.Width() - kMagnifierWidth) / 2;
    const int top = (s.Height() - kMagnifierHeight) / 2;
    return {left, top, left + kMagnifierWidth, top + kMagnifierHeight};
}

// The raw call: XShmGetImage of `area` into a segment made once for the whole screen.
void RawShm(benchmark::State& state, const nl::Rect& area) {
    Display* display = nl::x11::QtDisplay();
    const int screen = DefaultScreen(display);
    XShmSegmentInfo info{};
    const nl::Rect whole = Screen();
    info.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(whole.Width()) * whole.Height() * 4,
                        IPC_CREAT | kSegmentMode);
    info.shmaddr = static_cast<char*>(shmat(info.shmid, nullptr, 0));
    info.readOnly = False;
    XShmAttach(display, &info);
    XSync(display, False);
    shmctl(info.shmid, IPC_RMID, nullptr);
    XImage* image = XShmCreateImage(display, DefaultVisual(display, screen),
                                    static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap,
                                    info.shmaddr, &info, static_cast<unsigned>(area.Width()),
                                    static_cast<unsigned>(area.Height()));
    for (auto _ : state) {
        XShmGetImage(display, RootWindow(display, screen), image, area.left, area.top, kAllPlanes);
        benchmark::DoNotOptimize(image->data[0]);
    }
    XFree(image);
    XShmDetach(display, &info);
    XSync(display, False);
    shmdt(info.shmaddr);
}

// The command line's desktop: the same server on a connection of its own, no Qt.
nl::CXcbDesktop& OwnDesktop() {
    static const bool opened = nl::x11::OpenOwnConnection();
    static nl::CXcbDesktop desktop(nl::x11::OwnConnection());
    (void)opened;
    return desktop;
}

// A grab of `area` into a reused buffer of `Pixels`: nl::PixelVector as the program's
// captures allocate (large ones in shared memory, which the server writes itself), or
// ordinary heap memory, which the grab copies into from the server's segment.
template <class Pixels = nl::PixelVector>
void GrabInto(benchmark::State& state, const nl::IDesktop& desktop, const nl::Rect& area) {
    Pixels pixels(static_cast<std::size_t>(area.Width()) * area.Height());
    for (auto _ : state) benchmark::DoNotOptimize(desktop.Grab(area, pixels.data(), area.Width()));
}
void OurGrab(benchmark::State& state, const nl::Rect& area) {
    GrabInto(state, Desktop(), area);
}

void BM_RawShmFullDesktop(benchmark::State& state) {
    RawShm(state, Screen());
}
void BM_GrabFullDesktop(benchmark::State& state) {
    OurGrab(state, Screen());
}
void BM_CliGrabFullDesktop(benchmark::State& state) {
    GrabInto(state, OwnDesktop(), Screen());
}
void BM_GrabFullDesktopIntoHeap(benchmark::State& state) {
    GrabInto<std::vector<nl::GrabPixel>>(state, Desktop(), Screen());
}
void BM_CliGrabLentFullDesktop(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(OwnDesktop().GrabLent(Screen()));
}
// The floor of any grab that hands out pixels of its own: the lent desktop and one plain
// memcpy of it. Reading the segment the server has just written costs about as much as the
// server's writing it, so no copy out of it comes near 1.5 times the raw call.
void BM_CliLentThenMemcpyFullDesktop(benchmark::State& state) {
    const nl::Rect area = Screen();
    std::vector<nl::GrabPixel> pixels(static_cast<std::size_t>(area.Width()) * area.Height());
    for (auto _ : state) {
        const std::optional<nl::LentPixels> lent = OwnDesktop().GrabLent(area);
        if (!lent) continue;
        std::memcpy(pixels.data(), lent->pixels, pixels.size() * sizeof(nl::GrabPixel));
        benchmark::DoNotOptimize(pixels.data());
    }
}
// The Screen Copier's desktop shape from start to end: a new image each time, grabbed and
// handed over (the previous one freed), as the program does for each capture.
void BM_CaptureDesktopImage(benchmark::State& state) {
    const nl::CRegion desktop = nl::CRegion::FromRect(Screen());
    nl::BitmapImage image;
    for (auto _ : state) {
        image = {};
        benchmark::DoNotOptimize(nl::CopyScreenRegion(Desktop(), desktop, 0, nullptr, image));
    }
}
void BM_RawShmMagnifierSource(benchmark::State& state) {
    RawShm(state, MagnifierSource());
}
void BM_GrabMagnifierSource(benchmark::State& state) {
    OurGrab(state, MagnifierSource());
}

// The magnifier's refresh: the source lent from the shared segment, no copy.
void BM_GrabLentMagnifierSource(benchmark::State& state) {
    const nl::Rect area = MagnifierSource();
    for (auto _ : state) benchmark::DoNotOptimize(Desktop().GrabLent(area));
}

// The largest square a pick samples, around the screen's middle, as every picking tick reads
// it: the change count of the square, then the square grabbed and reduced to one color.
constexpr int kLargestSample = 31;
nl::Point SampleCentre() {
    const nl::Rect s = Screen();
    return {s.left + s.Width() / 2, s.top + s.Height() / 2};
}
nl::Rect SampleArea() {
    return nl::SampleSquare(SampleCentre(), kLargestSample, Screen());
}
void BM_RawShmSampleSquare(benchmark::State& state) {
    RawShm(state, SampleArea());
}
void SampleAtTick(benchmark::State& state, nl::SampleStat stat) {
    const nl::SampleMethod method{kLargestSample, stat};
    for (auto _ : state) {
        benchmark::DoNotOptimize(Desktop().ChangeCount(SampleArea()));
        benchmark::DoNotOptimize(
            nl::CDesktopSampler::SampleColorAt(Desktop(), SampleCentre(), method));
    }
}
void BM_SampleSquareMean(benchmark::State& state) {
    SampleAtTick(state, nl::SampleStat::kMean);
}
void BM_SampleSquareMedian(benchmark::State& state) {
    SampleAtTick(state, nl::SampleStat::kMedian);
}
void BM_SampleSquareMode(benchmark::State& state) {
    SampleAtTick(state, nl::SampleStat::kMode);
}

void BM_RawGetImagePixel(benchmark::State& state) {
    Display* display = nl::x11::QtDisplay();
    const Window root = DefaultRootWindow(display);
    for (auto _ : state) {
        XImage* image = XGetImage(display, root, 100, 100, 1, 1, kAllPlanes, ZPixmap);
        benchmark::DoNotOptimize(XGetPixel(image, 0, 0));
        XDestroyImage(image);
    }
}
void BM_PixelColor(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Desktop().PixelColor({100, 100}));
}

// How the program grabbed before: through Qt's screen grab.
void BM_QtGrabFullDesktop(benchmark::State& state) {
    QScreen* screen = QGuiApplication::primaryScreen();
    for (auto _ : state) benchmark::DoNotOptimize(screen->grabWindow(0).toImage().constBits());
}

// A capture of small checks with a gradient: something between a screenshot of windows and
// noise for the encoder.
nl::BitmapImage CaptureImage() {
    QImage image(kCaptureWidth, kCaptureHeight, QImage::Format_RGB32);
    for (int y = 0; y < kCaptureHeight; ++y)
        for (int x = 0; x < kCaptureWidth; ++x)
            image.setPixel(
                x, y,
                qRgb(x / kCheck * kCheck % 256, y / kCheck * kCheck % 256, (x ^ y) / kCheck % 256));
    return nl::ToBitmapImage(image);
}

void BM_SavePng1920x1080(benchmark::State& state) {
    const nl::BitmapImage capture = CaptureImage();
    const std::vector<nl::ImageEncoder> encoders = {{"PNG", "*.PNG", "png"}};
    const std::string path =
        QDir::temp().filePath(QStringLiteral("nl_bench_capture.png")).toStdString();
    const nl::EncoderWrite write = [](const nl::ImageEncoder& encoder, const std::string& file,
                                      const nl::BitmapImage& image) {
        return nl::ToQImage(image).save(QString::fromStdString(file), encoder.format.c_str()) ? 0
                                                                                              : 1;
    };
    for (auto _ : state)
        benchmark::DoNotOptimize(nl::SaveCapturedImage(capture, path, encoders, write));
    std::remove(path.c_str());
}

BENCHMARK(BM_RawShmFullDesktop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrabFullDesktop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CliGrabFullDesktop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrabFullDesktopIntoHeap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CliGrabLentFullDesktop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CliLentThenMemcpyFullDesktop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CaptureDesktopImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtGrabFullDesktop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawShmMagnifierSource)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrabMagnifierSource)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrabLentMagnifierSource)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawShmSampleSquare)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SampleSquareMean)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SampleSquareMedian)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SampleSquareMode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawGetImagePixel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PixelColor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SavePng1920x1080)->Unit(benchmark::kMillisecond);

// Keeps every run's time per iteration besides printing it.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.iterations > 0) times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    // The X11 platform: the benchmarks read a real screen.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!nl::x11::QtDisplay()) {
        std::fprintf(stderr, "No X11 display\n");
        return 1;
    }
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // The goals: every grab within 1.5 of the raw call; Qt's grab, the grab into heap memory
    // and the copy floor are there for comparison only (0: no goal).
    const struct {
        const char* what;
        const char* ours;
        const char* raw;
        double goal;
    } ratios[] = {
        {"full desktop, Grab / XShmGetImage", "BM_GrabFullDesktop", "BM_RawShmFullDesktop", 1.5},
        {"full desktop, CLI Grab / XShmGetImage", "BM_CliGrabFullDesktop", "BM_RawShmFullDesktop",
         1.5},
        {"full desktop, Grab into heap memory / XShmGetImage", "BM_GrabFullDesktopIntoHeap",
         "BM_RawShmFullDesktop", 0},
        {"desktop capture into a new image / XShmGetImage", "BM_CaptureDesktopImage",
         "BM_RawShmFullDesktop", 1.5},
        {"full desktop, CLI GrabLent / XShmGetImage", "BM_CliGrabLentFullDesktop",
         "BM_RawShmFullDesktop", 1.5},
        {"full desktop, lent + memcpy / XShmGetImage", "BM_CliLentThenMemcpyFullDesktop",
         "BM_RawShmFullDesktop", 0},
        {"magnifier source, Grab / XShmGetImage", "BM_GrabMagnifierSource",
         "BM_RawShmMagnifierSource", 1.5},
        {"magnifier source, GrabLent / XShmGetImage", "BM_GrabLentMagnifierSource",
         "BM_RawShmMagnifierSource", 1.5},
        {"one pixel, PixelColor / XGetImage", "BM_PixelColor", "BM_RawGetImagePixel", 1.5},
        {"31 x 31 sample at the tick, mean / XShmGetImage", "BM_SampleSquareMean",
         "BM_RawShmSampleSquare", 1.5},
        {"31 x 31 sample at the tick, median / XShmGetImage", "BM_SampleSquareMedian",
         "BM_RawShmSampleSquare", 1.5},
        {"31 x 31 sample at the tick, mode / XShmGetImage", "BM_SampleSquareMode",
         "BM_RawShmSampleSquare", 1.5},
        {"full desktop, Qt grab / XShmGetImage", "BM_QtGrabFullDesktop", "BM_RawShmFullDesktop", 0},
    };
    std::printf("\nRatios to the raw calls\n");
    for (const auto& r : ratios) {
        const auto ours = reporter.times.find(r.ours);
        const auto raw = reporter.times.find(r.raw);
        if (ours == reporter.times.end() || raw == reporter.times.end() || raw->second <= 0)
            continue;
        const double ratio = ours->second / raw->second;
        if (r.goal > 0)
            std::printf("  %-52s %6.2f  (goal %.1f: %s)\n", r.what, ratio, r.goal,
                        ratio <= r.goal ? "met" : "missed");
        else
            std::printf("  %-52s %6.2f\n", r.what, ratio);
    }
    benchmark::Shutdown();
    return 0;
}
