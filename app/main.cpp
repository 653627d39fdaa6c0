#include "app/Startup.h"
#include "platform/host/qt/QtHost.h"

int main(int argc, char** argv) {
    TQtHost host(argc, argv);
    return RunPicolam();
}
