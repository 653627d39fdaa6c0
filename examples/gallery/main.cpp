// The button gallery on the desktop: `make gallery`.
#include "examples/gallery/GalleryForm.h"
#include "platform/host/qt/QtHost.h"
#include "platform/ui/Application.h"

int main(int argc, char** argv) {
    TQtHost host(argc, argv);
    Application->Initialize();
    Application->SetTitle("Shine speed buttons");
    TGalleryForm* form = nullptr;
    try {
        Application->CreateForm(form);
        Application->Run();
    } catch (...) {
        Application->HandleException(Application);
    }
    Application->Done();
    return 0;
}
