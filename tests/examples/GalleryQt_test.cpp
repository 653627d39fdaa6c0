#include "examples/gallery/GalleryForm.h"

#include "platform/host/qt/QtHost.h"
#include "platform/ui/Application.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The gallery opens as a real window of the Qt host (offscreen when run without a display).
TEST(GalleryOnQt, OpensAndPaints) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int argc = 1;
    char name[] = "gallery";
    char* argv[] = {name, nullptr};
    TQtHost host(argc, argv);
    Application->Initialize();
    TGalleryForm* form = nullptr;
    Application->CreateForm(form);
    form->Show();
    host.ProcessMessages();
    ASSERT_NE(form->HostWindow(), nullptr);
    EXPECT_TRUE(form->HostWindow()->Visible());
    EXPECT_EQ(form->Caption(), "Shine speed buttons");
    // The raised frame of the normal button is on the surface the window shows.
    TShineSpeedButton* normal = form->NormalButton;
    EXPECT_EQ(form->Surface()->GetPixel(normal->Left() + normal->Width() - 1, normal->Top() + 5),
              ColorToRGB(normal->Colors()->DarkShadow()));
    Application->Done();
}
