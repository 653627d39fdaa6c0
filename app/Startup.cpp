#include "app/Startup.h"

#include "app/MainWindow1.h"
#include "platform/base/Exceptions.h"
#include "platform/ui/Application.h"

int RunPicolam() {
    try {
        Application->Initialize();
        Application->SetTitle("ピコラム");
        Application->CreateForm(MainForm1);
        Application->Run();
    } catch (const Exception& E) {
        Application->ShowException(E);
    } catch (...) {
        // Anything else is shown as an empty message.
        try {
            throw Exception("");
        } catch (const Exception& E) {
            Application->ShowException(E);
        }
    }
    Application->Done();
    MainForm1 = nullptr;
    return 0;
}
