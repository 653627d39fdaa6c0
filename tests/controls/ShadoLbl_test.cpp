#include "ShadoLblTest.h"

#include "platform/base/Exceptions.h"

#include <functional>
#include <memory>

namespace {

TEST(Shadow, AssignCopiesAllFourValuesAndNotifiesOnce) {
    TShadow source;
    source.SetShadowVisible(false);
    source.SetShadowColor(clRed);
    source.SetShadowLeft(-3);
    source.SetShadowTop(7);
    TShadow target;
    std::vector<TObject*> senders;
    target.SetOnChange([&](TObject* Sender) { senders.push_back(Sender); });

    target.Assign(&source);
    EXPECT_FALSE(target.Visible());
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_EQ(target.OffsetLeft(), -3);
    EXPECT_EQ(target.OffsetTop(), 7);
    EXPECT_EQ(senders, std::vector<TObject*>{&target});

    // Equal values are copied and notified all the same.
    target.Assign(&source);
    EXPECT_EQ(senders.size(), 2u);
}

TEST(Shadow, SettersNotifyOnlyForADifferentValue) {
    TShadow shadow;
    int changes = 0;
    shadow.SetOnChange([&](TObject*) { ++changes; });
    shadow.SetShadowVisible(true);
    shadow.SetShadowColor(clSilver);
    shadow.SetShadowLeft(1);
    shadow.SetShadowTop(1);
    EXPECT_EQ(changes, 0);
    shadow.SetShadowVisible(false);
    shadow.SetShadowColor(clBlack);
    shadow.SetShadowLeft(2);
    shadow.SetShadowTop(-2);
    EXPECT_EQ(changes, 4);
}

TEST(Shadow, AssignFromAnythingElseFailsAndChangesNothing) {
    TFont font;
    struct TCase {
        TPersistent* Source;
        const char* Message;
    } cases[] = {{&font, "TFont を TShadow に代入することはできません"},
                 {nullptr, "nil を TShadow に代入することはできません"}};
    for (const TCase& c : cases) {
        TShadow shadow;
        int changes = 0;
        shadow.SetOnChange([&](TObject*) { ++changes; });
        try {
            shadow.Assign(c.Source);
            ADD_FAILURE() << "no error for " << c.Message;
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message(), c.Message);
        }
        EXPECT_EQ(changes, 0);
        EXPECT_TRUE(shadow.Visible());
        EXPECT_EQ(shadow.Color(), clSilver);
        EXPECT_EQ(shadow.OffsetLeft(), 1);
        EXPECT_EQ(shadow.OffsetTop(), 1);
    }
}

using ShadowLabelProps = ShadowLabelTest;

TEST_F(ShadowLabelProps, StartsWithTheDocumentedValues) {
    auto* label = new TShadowLabel(Application);
    EXPECT_EQ(label->Ellipsis(), elNone);
    EXPECT_TRUE(label->Flickerless());
    EXPECT_FALSE(label->GradateVert());
    EXPECT_FALSE(label->Gradation());
    EXPECT_EQ(label->GradationColor(), clBlue);
    EXPECT_EQ(label->TextGradation(), tgNone);
    EXPECT_EQ(label->TextGradationColor(), clMaroon);
    EXPECT_EQ(label->TextMidColor(), clNavy);
    EXPECT_TRUE(label->Highlight()->Visible());
    EXPECT_EQ(label->Highlight()->Color(), clWhite);
    EXPECT_EQ(label->Highlight()->OffsetLeft(), -1);
    EXPECT_EQ(label->Highlight()->OffsetTop(), -1);
    EXPECT_TRUE(label->Shadow()->Visible());
    EXPECT_EQ(label->Shadow()->Color(), clSilver);
    EXPECT_EQ(label->Shadow()->OffsetLeft(), 1);
    EXPECT_EQ(label->Shadow()->OffsetTop(), 1);
    // The platform label's own start.
    EXPECT_TRUE(label->AutoSize());
    EXPECT_TRUE(label->ShowAccelChar());
    EXPECT_FALSE(label->Transparent());
}

TEST_F(ShadowLabelProps, SetShadowAndSetHighlightCopyIntoTheOwnedSettings) {
    auto* label = new TShadowLabel(Application);
    TShadow* ownShadow = label->Shadow();
    TShadow* ownHighlight = label->Highlight();
    TShadow other;
    other.SetShadowColor(clRed);
    other.SetShadowLeft(5);
    label->SetShadow(&other);
    label->SetHighlight(&other);
    label->SetShadow(nullptr);
    label->SetHighlight(nullptr);
    EXPECT_EQ(label->Shadow(), ownShadow);
    EXPECT_EQ(label->Highlight(), ownHighlight);
    EXPECT_EQ(ownShadow->Color(), clRed);
    EXPECT_EQ(ownShadow->OffsetLeft(), 5);
    EXPECT_EQ(ownHighlight->Color(), clRed);
    EXPECT_EQ(ownHighlight->OffsetTop(), 1);
}

TEST_F(ShadowLabelProps, AutoSizeLeavesNoRoomForTheOffsets) {
    TForm* form = NewForm();
    TShadowLabel* label = NewLabel(form, 10, 10, "Ab\t①");
    const TRect text = Measured(label->Font(), "Ab\t①", DT_EXPANDTABS);
    EXPECT_EQ(label->Width(), text.Right);
    EXPECT_EQ(label->Height(), text.Bottom);
    label->Shadow()->SetShadowLeft(6);
    label->Shadow()->SetShadowTop(5);
    label->Highlight()->SetShadowLeft(-4);
    label->SetCaption("Ab\t①①");
    const TRect longer = Measured(label->Font(), "Ab\t①①", DT_EXPANDTABS);
    EXPECT_EQ(label->Width(), longer.Right);
    EXPECT_EQ(label->Height(), longer.Bottom);
    EXPECT_EQ(label->Left(), 10);
    EXPECT_EQ(label->Top(), 10);
}

struct TRepaintCase {
    const char* Name;
    friend void PrintTo(const TRepaintCase& C, std::ostream* Out) { *Out << C.Name; }
    std::function<void(TShadowLabel*)> Before; // state before the paint, may be null
    std::function<void(TShadowLabel*)> Change;
    bool Repaints;
};

class ShadowLabelRepaint : public ShadowLabelTest,
                           public ::testing::WithParamInterface<TRepaintCase> {};

TEST_P(ShadowLabelRepaint, InvalidatesOnlyWhereTheRulesSay) {
    const TRepaintCase& c = GetParam();
    TForm* form = NewForm();
    TShadowLabel* label = NewLabel(form, 20, 20, "Ab");
    if (c.Before)
        c.Before(label);
    Host.ProcessMessages();
    ASSERT_TRUE(IsRectEmpty(form->DirtyRect()));
    c.Change(label);
    const TRect dirty = form->DirtyRect();
    EXPECT_EQ(!IsRectEmpty(IntersectRect(dirty, label->BoundsRect())), c.Repaints);
}

void Use(TShadowLabel* L, TTextGradation G) {
    L->SetTextGradation(G);
}

// The same settings in an object of their own.
std::unique_ptr<TShadow> Same(TShadow* Of) {
    auto same = std::make_unique<TShadow>();
    same->Assign(Of);
    return same;
}

INSTANTIATE_TEST_SUITE_P(
    Writers, ShadowLabelRepaint,
    ::testing::Values(
        TRepaintCase{"Ellipsis", nullptr, [](auto* L) { L->SetEllipsis(elEnd); }, true},
        TRepaintCase{"EllipsisSame", nullptr, [](auto* L) { L->SetEllipsis(elNone); }, false},
        TRepaintCase{"TextGradation", nullptr, [](auto* L) { Use(L, tg3Colors); }, true},
        TRepaintCase{"TextGradationSame", nullptr, [](auto* L) { Use(L, tgNone); }, false},
        TRepaintCase{"GradateVert", nullptr, [](auto* L) { L->SetGradateVert(true); }, true},
        TRepaintCase{"GradateVertSame", nullptr, [](auto* L) { L->SetGradateVert(false); }, false},
        TRepaintCase{"Gradation", nullptr, [](auto* L) { L->SetGradation(true); }, true},
        TRepaintCase{"GradationSame", nullptr, [](auto* L) { L->SetGradation(false); }, false},
        TRepaintCase{"GradationColor", nullptr, [](auto* L) { L->SetGradationColor(clRed); }, true},
        TRepaintCase{"GradationColorSame", nullptr, [](auto* L) { L->SetGradationColor(clBlue); },
                     false},
        // The text gradient's colours repaint only where they are used.
        TRepaintCase{"TextGradationColorUnused", nullptr,
                     [](auto* L) { L->SetTextGradationColor(clRed); }, false},
        TRepaintCase{"TextGradationColorTwo", [](auto* L) { Use(L, tg2Colors); },
                     [](auto* L) { L->SetTextGradationColor(clRed); }, true},
        TRepaintCase{"TextGradationColorThree", [](auto* L) { Use(L, tg3Colors); },
                     [](auto* L) { L->SetTextGradationColor(clRed); }, true},
        TRepaintCase{"TextGradationColorSame", [](auto* L) { Use(L, tg2Colors); },
                     [](auto* L) { L->SetTextGradationColor(clMaroon); }, false},
        TRepaintCase{"TextMidColorNone", nullptr, [](auto* L) { L->SetTextMidColor(clRed); },
                     false},
        TRepaintCase{"TextMidColorTwo", [](auto* L) { Use(L, tg2Colors); },
                     [](auto* L) { L->SetTextMidColor(clRed); }, false},
        TRepaintCase{"TextMidColorThree", [](auto* L) { Use(L, tg3Colors); },
                     [](auto* L) { L->SetTextMidColor(clRed); }, true},
        TRepaintCase{"TextMidColorSame", [](auto* L) { Use(L, tg3Colors); },
                     [](auto* L) { L->SetTextMidColor(clNavy); }, false},
        TRepaintCase{"Flickerless", nullptr, [](auto* L) { L->SetFlickerless(false); }, false},
        TRepaintCase{"FlickerlessOn", [](auto* L) { L->SetFlickerless(false); },
                     [](auto* L) { L->SetFlickerless(true); }, false},
        TRepaintCase{"ShadowNull", nullptr, [](auto* L) { L->SetShadow(nullptr); }, false},
        TRepaintCase{"HighlightNull", nullptr, [](auto* L) { L->SetHighlight(nullptr); }, false},
        // Setting equal settings still repaints.
        TRepaintCase{"ShadowEqual", nullptr, [](auto* L) { L->SetShadow(Same(L->Shadow()).get()); },
                     true},
        TRepaintCase{"HighlightEqual", nullptr,
                     [](auto* L) { L->SetHighlight(Same(L->Highlight()).get()); }, true},
        // A change inside either owned TShadow reaches the label.
        TRepaintCase{"ShadowColor", nullptr, [](auto* L) { L->Shadow()->SetShadowColor(clRed); },
                     true},
        TRepaintCase{"ShadowColorSame", nullptr,
                     [](auto* L) { L->Shadow()->SetShadowColor(clSilver); }, false},
        TRepaintCase{"ShadowVisible", nullptr,
                     [](auto* L) { L->Shadow()->SetShadowVisible(false); }, true},
        TRepaintCase{"ShadowTop", nullptr, [](auto* L) { L->Shadow()->SetShadowTop(3); }, true},
        TRepaintCase{"HighlightLeft", nullptr, [](auto* L) { L->Highlight()->SetShadowLeft(2); },
                     true},
        TRepaintCase{"HighlightTopSame", nullptr, [](auto* L) { L->Highlight()->SetShadowTop(-1); },
                     false},
        TRepaintCase{"ShadowAssignEqual", nullptr,
                     [](auto* L) { L->Shadow()->Assign(Same(L->Shadow()).get()); }, true},
        // What the platform label repaints for.
        TRepaintCase{"Caption", nullptr, [](auto* L) { L->SetCaption("Abc"); }, true},
        TRepaintCase{"FontColor", nullptr, [](auto* L) { L->Font()->SetColor(clRed); }, true},
        TRepaintCase{"Color", nullptr, [](auto* L) { L->SetColor(clRed); }, true},
        TRepaintCase{"Alignment", nullptr, [](auto* L) { L->SetAlignment(taCenter); }, true},
        TRepaintCase{"Layout", nullptr, [](auto* L) { L->SetLayout(tlBottom); }, true},
        TRepaintCase{"WordWrap", nullptr, [](auto* L) { L->SetWordWrap(true); }, true},
        TRepaintCase{"Transparent", nullptr, [](auto* L) { L->SetTransparent(true); }, true},
        TRepaintCase{"Enabled", nullptr, [](auto* L) { L->SetEnabled(false); }, true},
        TRepaintCase{"Size", nullptr, [](auto* L) { L->SetWidth(L->Width() + 5); }, true}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
