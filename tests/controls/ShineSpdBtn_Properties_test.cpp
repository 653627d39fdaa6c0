#include "ShineSpdBtnFixture.h"

#include "platform/base/Registry.h"

#include <functional>
#include <vector>

namespace {

struct TColorsCounter {
    TShineBtnColors Colors;
    int Changes = 0;
    TObject* LastSender = nullptr;
    TColorsCounter() {
        Colors.SetOnChange([this](TObject* Sender) {
            ++Changes;
            LastSender = Sender;
        });
    }
};

// Reaches the protected half of the copy.
class TExposedColors : public TShineBtnColors {
public:
    using TShineBtnColors::AssignTo;
};

std::vector<AnsiString> OwnPropertyNames(const AnsiString& ClassName) {
    RegisterShineSpdBtn();
    const TClassInfo* info = TClassRegistry::Instance().Find(ClassName);
    std::vector<AnsiString> names;
    if (info != nullptr)
        for (const TPropInfo& p : info->Properties)
            names.push_back(p.Name);
    return names;
}

} // namespace

TEST(ShineBtnColors, StartsWithTheButtonFaceLook) {
    TShineBtnColors colors;
    EXPECT_EQ(colors.Color(), clBtnFace);
    EXPECT_EQ(colors.Highlight(), clBtnHighlight);
    EXPECT_EQ(colors.Shadow(), clBtnShadow);
    EXPECT_EQ(colors.DarkShadow(), clWindowFrame);
    EXPECT_EQ(colors.GradColor(), clBlue);
    EXPECT_FALSE(colors.GradVertical());
    EXPECT_FALSE(colors.Gradation());
}

TEST(ShineBtnColors, SettersNotifyOnlyOnAChange) {
    const std::vector<std::function<void(TShineBtnColors&, bool)>> setters = {
        [](TShineBtnColors& c, bool Same) { c.SetColor(Same ? clBtnFace : clRed); },
        [](TShineBtnColors& c, bool Same) { c.SetHighlight(Same ? clBtnHighlight : clRed); },
        [](TShineBtnColors& c, bool Same) { c.SetShadow(Same ? clBtnShadow : clRed); },
        [](TShineBtnColors& c, bool Same) { c.SetDarkShadow(Same ? clWindowFrame : clRed); },
        [](TShineBtnColors& c, bool Same) { c.SetGradColor(Same ? clBlue : clRed); },
        [](TShineBtnColors& c, bool Same) { c.SetGradVertical(!Same); },
        [](TShineBtnColors& c, bool Same) { c.SetGradation(!Same); },
    };
    for (std::size_t i = 0; i < setters.size(); ++i) {
        TColorsCounter counter;
        setters[i](counter.Colors, true);
        EXPECT_EQ(counter.Changes, 0) << "setter " << i;
        setters[i](counter.Colors, false);
        EXPECT_EQ(counter.Changes, 1) << "setter " << i;
        EXPECT_EQ(counter.LastSender, &counter.Colors);
    }
}

TEST(ShineBtnColors, AssignCopiesAllSevenValuesAndNotifiesOnce) {
    TShineBtnColors source;
    source.SetColor(clRed);
    source.SetHighlight(clWhite);
    source.SetShadow(clGray);
    source.SetDarkShadow(clBlack);
    source.SetGradColor(clYellow);
    source.SetGradVertical(true);
    source.SetGradation(true);

    TColorsCounter dest;
    dest.Colors.Assign(&source);
    EXPECT_EQ(dest.Changes, 1);
    EXPECT_EQ(dest.Colors.Color(), clRed);
    EXPECT_EQ(dest.Colors.Highlight(), clWhite);
    EXPECT_EQ(dest.Colors.Shadow(), clGray);
    EXPECT_EQ(dest.Colors.DarkShadow(), clBlack);
    EXPECT_EQ(dest.Colors.GradColor(), clYellow);
    EXPECT_TRUE(dest.Colors.GradVertical());
    EXPECT_TRUE(dest.Colors.Gradation());

    // The other way round: the source writes into the destination and notifies it.
    TExposedColors from;
    from.SetShadow(clNavy);
    TColorsCounter into;
    from.AssignTo(&into.Colors);
    EXPECT_EQ(into.Changes, 1);
    EXPECT_EQ(into.LastSender, &into.Colors);
    EXPECT_EQ(into.Colors.Shadow(), clNavy);
}

TEST(ShineBtnColors, StreamsInOrderWithDefaultsExceptColor) {
    EXPECT_EQ(OwnPropertyNames("TShineBtnColors"),
              (std::vector<AnsiString>{"Highlight", "Shadow", "DarkShadow", "GradColor",
                                       "GradVertical", "Gradation", "Color"}));
    const TClassInfo* info = TClassRegistry::Instance().Find("TShineBtnColors");
    ASSERT_NE(info, nullptr);
    EXPECT_FALSE(info->FindProperty("Color")->Default.has_value());
    EXPECT_TRUE(info->FindProperty("Highlight")->Default.has_value());
}

TEST(ShineSpeedButton, PublishesItsPropertiesInStreamingOrder) {
    std::vector<AnsiString> own = OwnPropertyNames("TShineSpeedButton");
    std::vector<AnsiString> expected{
        "GroupIndex",     "Down",          "ClickDownHook", "AccelCharDown",
        "FrameType",      "Transparent",   "ActiveFrame",   "UpFrame",
        "DownFrame",      "ActiveImage",   "DisabledImage", "DisabledHighlight",
        "DisabledShadow", "Colors",        "PressedColors", "ShineColor",
        "Font",           "FontHighlight", "FontShadow",    "ActiveFont",
        "AllowAllUp",     "Layout",        "Margin",        "Spacing",
        "Glyph",          "OnMouseEnter",  "OnMouseLeave"};
    ASSERT_GE(own.size(), expected.size());
    EXPECT_EQ(std::vector<AnsiString>(own.begin(), own.begin() + expected.size()), expected);
}

TEST(ShineSpeedButton, ANewButtonIsSmallOpaqueUpAndQuiet) {
    TComponent owner(nullptr);
    auto* button = new TShineSpeedButton(&owner);
    EXPECT_EQ(button->Width(), 25);
    EXPECT_EQ(button->Height(), 25);
    EXPECT_EQ(button->Caption(), "");
    EXPECT_EQ(button->ControlStyle(), csCaptureMouse | csOpaque | csDoubleClicks);
    EXPECT_EQ(button->State(), sbsUp);
    EXPECT_EQ(button->GroupIndex(), 0);
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(button->ActiveButtonTimer()->Enabled());
    EXPECT_EQ(button->ActiveButtonTimer()->Interval(), 200u);
    EXPECT_EQ(button->ActiveButtonTimer()->Owner(), button);
    EXPECT_EQ(button->Colors()->Color(), clBtnFace);
    EXPECT_EQ(button->PressedColors()->Color(), clBtnHighlight);
    EXPECT_EQ(button->PressedColors()->Highlight(), clBtnHighlight);
    EXPECT_EQ(button->Font()->Color(), clBtnText);
    EXPECT_EQ(button->ActiveFont()->Color(), clHighlight);
    EXPECT_EQ(button->FontHighlight(), clNone);
    EXPECT_EQ(button->FontShadow(), clNone);
    EXPECT_TRUE(button->Glyph()->Empty());
    EXPECT_EQ(button->Glyph()->TransparentColor(), clOlive);
    EXPECT_EQ(button->Margin(), -1);
    EXPECT_EQ(button->Spacing(), 4);
    EXPECT_EQ(button->Layout(), blGlyphLeft);
    EXPECT_EQ(button->FrameType(), ftNormalFrame);
    EXPECT_EQ(button->ActiveImage(), aiFrameLight);
    EXPECT_EQ(button->DisabledImage(), diDefault);
    EXPECT_EQ(button->ShineColor(), clYellow);
}

TEST(ShineSpeedButton, TransparentSwitchesOnlyOpaque) {
    TComponent owner(nullptr);
    auto* button = new TShineSpeedButton(&owner);
    button->SetTransparent(true);
    EXPECT_EQ(button->ControlStyle(), csCaptureMouse | csDoubleClicks);
    button->SetTransparent(false);
    EXPECT_EQ(button->ControlStyle(), csCaptureMouse | csOpaque | csDoubleClicks);
}

// What a setter does: invalidate (later paint), repaint (paint now), notify the group.
struct TSetterCase {
    const char* Name;
    std::function<void(TShineSpeedButton&)> Change; // to another value
    std::function<void(TShineSpeedButton&)> Same;   // to the value it has
    bool SameInvalidates;
    bool Notifies;
    bool ChangeInvalidates = true; // the group setters only notify
};

class TSetterRules : public TShineFixture, public testing::WithParamInterface<TSetterCase> {};

TEST_P(TSetterRules, InvalidateOnlyOnAChangeUnlessTheRowSaysOtherwise) {
    const TSetterCase& c = GetParam();
    auto* listener = new TGroupListener(Form);
    listener->SetParent(Form);
    Button->SetGroupIndex(1);
    Settle();
    int notifications = listener->Notifications;

    c.Same(*Button);
    EXPECT_EQ(Dirty(Button), c.SameInvalidates) << "same value";
    EXPECT_EQ(listener->Notifications, notifications);
    Settle();

    int paints = Button->Paints;
    c.Change(*Button);
    EXPECT_EQ(Dirty(Button) || Button->Paints > paints, c.ChangeInvalidates) << "new value";
    EXPECT_EQ(listener->Notifications > notifications, c.Notifies);
}

std::vector<TSetterCase> SetterCases() {
    using B = TShineSpeedButton;
    auto both = [](auto Set, auto Other, auto Same) {
        return std::pair{std::function<void(B&)>([=](B& b) { (b.*Set)(Other); }),
                         std::function<void(B&)>([=](B& b) { (b.*Set)(Same); })};
    };
    std::vector<TSetterCase> cases;
    auto add = [&](const char* Name, auto Pair, bool SameInvalidates, bool Notifies,
                   bool ChangeInvalidates = true) {
        cases.push_back(
            {Name, Pair.first, Pair.second, SameInvalidates, Notifies, ChangeInvalidates});
    };
    add("ClickDownHook", both(&B::SetClickDownHook, true, false), false, false);
    add("AccelCharDown", both(&B::SetAccelCharDown, true, false), false, false);
    add("FrameType", both(&B::SetFrameType, ftFlatFrame, ftNormalFrame), false, false);
    add("Transparent", both(&B::SetTransparent, true, false), false, false);
    add("ActiveFrame", both(&B::SetActiveFrame, false, true), false, false);
    add("UpFrame", both(&B::SetUpFrame, false, true), false, false);
    add("DownFrame", both(&B::SetDownFrame, false, true), false, false);
    add("ActiveImage", both(&B::SetActiveImage, aiXorLight, aiFrameLight), false, false);
    add("DisabledImage", both(&B::SetDisabledImage, diGrayscale, diDefault), false, false);
    add("DisabledHighlight", both(&B::SetDisabledHighlight, clRed, clBtnHighlight), false, false);
    add("DisabledShadow", both(&B::SetDisabledShadow, clRed, clBtnShadow), false, false);
    add("ShineColor", both(&B::SetShineColor, clRed, clYellow), false, false);
    add("FontHighlight", both(&B::SetFontHighlight, clRed, clNone), true, false);
    add("FontShadow", both(&B::SetFontShadow, clRed, clNone), true, false);
    add("Layout", both(&B::SetLayout, blGlyphTop, blGlyphLeft), false, false);
    add("Margin", both(&B::SetMargin, 2, -1), false, false);
    add("Spacing", both(&B::SetSpacing, 0, 4), false, false);
    add("AllowAllUp", both(&B::SetAllowAllUp, true, false), false, true, false);
    add("GroupIndex", both(&B::SetGroupIndex, 2, 1), false, true, false);
    add("Down", both(&B::SetDown, true, false), false, true);
    cases.push_back({"ColorsGradation", [](B& b) { b.Colors()->SetGradation(true); },
                     [](B& b) { b.Colors()->SetGradation(false); }, false, false});
    cases.push_back({"FontSize", [](B& b) { b.Font()->SetSize(20); },
                     [](B& b) { b.Font()->SetSize(b.Font()->Size()); }, false, false});
    // Platform notifications that only invalidate.
    cases.push_back({"Caption", [](B& b) { b.SetCaption("Go"); }, [](B& b) { b.SetCaption(""); },
                     false, false});
    cases.push_back(
        {"ControlFont", [](B& b) { b.TControl::Font()->SetSize(20); }, [](B&) {}, false, false});
    cases.push_back({"SysColorChange", [](B& b) { b.Perform(CM_SYSCOLORCHANGE, 0, 0); }, [](B&) {},
                     false, false});
    cases.push_back({"NoFont", [](B& b) { b.SetActiveFont(b.Font()); },
                     [](B& b) { b.SetFont(nullptr); }, false, false});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(ShineSpdBtn, TSetterRules, testing::ValuesIn(SetterCases()),
                         [](const testing::TestParamInfo<TSetterCase>& Info) {
                             return Info.param.Name;
                         });

TEST_F(TShineFixture, DownRepaintsAtOnceAndNeedsAGroup) {
    Button->SetDown(true);
    EXPECT_FALSE(Button->Down());
    Button->SetGroupIndex(1);
    Settle();
    int paints = Button->Paints;
    Button->SetDown(true);
    EXPECT_TRUE(Button->Down());
    EXPECT_GT(Button->Paints, paints);
    EXPECT_EQ(Button->State(), sbsDown);
}

TEST_F(TShineFixture, AssigningAColourSetCopiesIntoTheOwnedOne) {
    TShineBtnColors other;
    other.SetColor(clRed);
    other.SetGradation(true);
    TShineBtnColors* owned = Button->Colors();
    Button->SetColors(&other);
    EXPECT_EQ(Button->Colors(), owned);
    EXPECT_EQ(owned->Color(), clRed);
    EXPECT_TRUE(owned->Gradation());
    EXPECT_TRUE(Dirty(Button));

    TFont font;
    font.SetSize(30);
    TFont* ownedFont = Button->ActiveFont();
    Button->SetActiveFont(&font);
    EXPECT_EQ(Button->ActiveFont(), ownedFont);
    EXPECT_EQ(ownedFont->Size(), 30);
}
