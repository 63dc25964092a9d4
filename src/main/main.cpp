#include "app/qt/CApp.h"

int main(int argc, char** argv) {
    nl::CApp app(argc, argv);
    return app.Run();
}
