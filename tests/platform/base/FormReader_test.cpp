#include "platform/base/FormReader.h"

#include "platform/base/Events.h"
#include "platform/base/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// What the test classes saw, in order: "Widget1.Count=3", "Loaded Widget1".
std::vector<AnsiString> Log;

enum TTestAlign { taNone, taLeft, taRight };
enum TTestStyle { tsBold, tsItalic, tsUnderline };

const TEnumInfo AlignInfo{{{"taNone", taNone}, {"taLeft", taLeft}, {"taRight", taRight}}};
const TEnumInfo StyleInfo{
    {{"tsBold", tsBold}, {"tsItalic", tsItalic}, {"tsUnderline", tsUnderline}}};

// A settings object reached through dotted names, like a font or a shadow.
class TTestPart : public TPersistent {
public:
    AnsiString ClassName() const override { return "TTestPart"; }
    int OffsetLeft() const { return FOffsetLeft; }
    void SetOffsetLeft(int Value) {
        Log.push_back("Part.OffsetLeft=" + std::to_string(Value));
        FOffsetLeft = Value;
    }
    std::uint32_t Color() const { return FColor; }
    void SetColor(std::uint32_t Value) { FColor = Value; }

private:
    int FOffsetLeft = 1;
    std::uint32_t FColor = 0;
};

class TTestWidget : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TTestWidget"; }

    int Count() const { return FCount; }
    void SetCount(int Value) {
        Note("Count", std::to_string(Value));
        FCount = Value;
    }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) {
        Note("Enabled", Value ? "True" : "False");
        FEnabled = Value;
    }
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& Value) {
        Note("Caption", Value);
        FCaption = Value;
    }
    TTestAlign Align() const { return FAlign; }
    void SetAlign(TTestAlign Value) {
        Note("Align", std::to_string(Value));
        FAlign = Value;
    }
    std::uint8_t Style() const { return FStyle; }
    void SetStyle(std::uint8_t Value) {
        Note("Style", std::to_string(Value));
        FStyle = Value;
    }
    std::uint32_t Color() const { return FColor; }
    void SetColor(std::uint32_t Value) {
        Note("Color", std::to_string(Value));
        FColor = Value;
    }
    TTestPart* Highlight() const { return FHighlight.get(); }
    TTestWidget* Buddy() const { return FBuddy; }
    void SetBuddy(TTestWidget* Value) {
        Note("Buddy", Value != nullptr ? Value->Name() : "nil");
        FBuddy = Value;
    }
    int Limit() const { return FLimit; }
    void SetLimit(int Value) {
        if (Value < 0)
            throw EInvalidOperation("limit below zero");
        FLimit = Value;
    }
    const TNotifyEvent& OnClick() const { return FOnClick; }
    void SetOnClick(const TNotifyEvent& Value) {
        Note("OnClick", "");
        FOnClick = Value;
    }
    const TMouseMoveEvent& OnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseMove(const TMouseMoveEvent& Value) { FOnMouseMove = Value; }

    void Loaded() override {
        TComponent::Loaded();
        ++LoadedCount;
        Log.push_back("Loaded " + Name() + " Count=" + std::to_string(FCount));
    }

    int LoadedCount = 0;
    bool LoadingWhileSet = true;

private:
    void Note(const char* Property, const AnsiString& Value) {
        LoadingWhileSet = LoadingWhileSet && IsLoading();
        Log.push_back(Name() + "." + Property + "=" + Value);
    }

    int FCount = 0;
    bool FEnabled = true;
    AnsiString FCaption;
    TTestAlign FAlign = taNone;
    std::uint8_t FStyle = 0;
    std::uint32_t FColor = 0;
    std::unique_ptr<TTestPart> FHighlight = std::make_unique<TTestPart>();
    TTestWidget* FBuddy = nullptr;
    int FLimit = 0;
    TNotifyEvent FOnClick;
    TMouseMoveEvent FOnMouseMove;
};

// A subclass that publishes one more property after the inherited ones.
class TTestChild : public TTestWidget {
public:
    using TTestWidget::TTestWidget;
    AnsiString ClassName() const override { return "TTestChild"; }
    int Extra() const { return FExtra; }
    void SetExtra(int Value) {
        Log.push_back(Name() + ".Extra=" + std::to_string(Value));
        FExtra = Value;
    }

private:
    int FExtra = 0;
};

// Down is refused while GroupIndex is 0, so its streaming order puts GroupIndex first.
class TTestToggle : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TTestToggle"; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool Down() const { return FDown; }
    void SetDown(bool Value) { FDown = Value && FGroupIndex != 0; }

private:
    int FGroupIndex = 0;
    bool FDown = false;
};

class TTestOther : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TTestOther"; }
};

class TTestForm : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TTestForm"; }

    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& Value) {
        Log.push_back("Form.Caption=" + Value);
        FCaption = Value;
    }
    void Loaded() override {
        TComponent::Loaded();
        Log.push_back("Loaded form");
    }

    void WidgetClick(TObject* Sender) { Clicked = dynamic_cast<TComponent*>(Sender); }
    void WidgetMove(TObject*, TShiftState, int X, int Y) { Moved = {X, Y}; }
    void BadHandler(TObject*, int) {}

    TTestWidget* Widget1 = nullptr;
    TTestChild* Child1 = nullptr;
    TComponent* Clicked = nullptr;
    TPoint Moved;

private:
    AnsiString FCaption;
};

// Registration functions are idempotent: every fixture runs them again.
void RegisterTestClasses() {
    RegisterClass<TTestPart>("TTestPart", "")
        .Property<int>("OffsetLeft", &TTestPart::OffsetLeft, &TTestPart::SetOffsetLeft,
                       std::optional<int>(1))
        .Property("Color", &TTestPart::Color, &TTestPart::SetColor);
    RegisterClass<TTestWidget>("TTestWidget", "")
        .Property("Count", &TTestWidget::Count, &TTestWidget::SetCount, 0)
        .Property<bool>("Enabled", &TTestWidget::Enabled, &TTestWidget::SetEnabled,
                        std::optional<bool>(true))
        .Property("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption)
        .Enum("Align", &TTestWidget::Align, &TTestWidget::SetAlign, AlignInfo, taNone)
        .Enum("Style", &TTestWidget::Style, &TTestWidget::SetStyle, StyleInfo, 0, true)
        .Property("Color", &TTestWidget::Color, &TTestWidget::SetColor)
        .Object("Highlight", &TTestWidget::Highlight)
        .Reference("Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy)
        .Property("Limit", &TTestWidget::Limit, &TTestWidget::SetLimit)
        .Event("OnClick", &TTestWidget::SetOnClick)
        .Event("OnMouseMove", &TTestWidget::SetOnMouseMove);
    RegisterClass<TTestChild>("TTestChild", "TTestWidget")
        .Property("Extra", &TTestChild::Extra, &TTestChild::SetExtra);
    RegisterClass<TTestOther>("TTestOther", "");
    RegisterClass<TTestToggle>("TTestToggle", "")
        .Property("GroupIndex", &TTestToggle::GroupIndex, &TTestToggle::SetGroupIndex, 0)
        .Property("Down", &TTestToggle::Down, &TTestToggle::SetDown, false);
    RegisterClass<TTestForm>("TTestForm", "")
        .Property("Caption", &TTestForm::Caption, &TTestForm::SetCaption, "")
        .Field("Widget1", &TTestForm::Widget1)
        .Field("Child1", &TTestForm::Child1)
        .Method("WidgetClick", &TTestForm::WidgetClick)
        .Method("WidgetMove", &TTestForm::WidgetMove)
        .Method("BadHandler", &TTestForm::BadHandler);
    RegisterIdents({{"clTestRed", 0x0000FF}, {"clTestSystem", 0x8000000F}});
}

class FormReaderTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        Log.clear();
        Parents.clear();
        TReader::SetParentHook([this](TComponent* Child, TComponent* Enclosing) {
            Parents.push_back(Child->Name() + " in " + Enclosing->Name());
        });
    }
    void TearDown() override { TReader::SetParentHook(nullptr); }

    void Read(const char* Text) { ReadComponentRes(Text, "TestForm", &Form); }
    TTestWidget* Widget(const char* Name) {
        return dynamic_cast<TTestWidget*>(Form.FindComponent(Name));
    }

    TTestForm Form{nullptr};
    std::vector<AnsiString> Parents;
};

TEST_F(FormReaderTest, SetsPropertiesInTheOrderWrittenAndLoadsAfterAll) {
    Read("object Form1: TTestForm\n"
         "  Caption = 'board'\n"
         "  object Widget1: TTestWidget\n"
         "    Enabled = False\n"
         "    Count = 3\n"
         "    object Inner: TTestWidget\n"
         "      Count = 7\n"
         "    end\n"
         "  end\n"
         "  object Child1: TTestChild\n"
         "    Extra = 2\n"
         "    Count = -4\n"
         "  end\n"
         "end\n");
    EXPECT_EQ(Form.Name(), "Form1");
    ASSERT_EQ(Form.ComponentCount(), 3);
    EXPECT_EQ(Form.Components(0)->Name(), "Widget1");
    EXPECT_EQ(Form.Components(1)->Name(), "Inner");
    EXPECT_EQ(Form.Components(2)->Name(), "Child1");
    EXPECT_EQ(Form.Components(1)->Owner(), &Form);
    std::vector<AnsiString> expected = {"Form.Caption=board",   "Widget1.Enabled=False",
                                        "Widget1.Count=3",      "Inner.Count=7",
                                        "Child1.Extra=2",       "Child1.Count=-4",
                                        "Loaded form",          "Loaded Widget1 Count=3",
                                        "Loaded Inner Count=7", "Loaded Child1 Count=-4"};
    EXPECT_EQ(Log, expected);
    EXPECT_EQ(Parents,
              (std::vector<AnsiString>{"Widget1 in Form1", "Inner in Widget1", "Child1 in Form1"}));
    for (const char* name : {"Widget1", "Inner", "Child1"}) {
        TTestWidget* w = Widget(name);
        EXPECT_EQ(w->LoadedCount, 1) << name;
        EXPECT_TRUE(w->LoadingWhileSet) << name;
        EXPECT_EQ(w->ComponentState(), 0) << name;
    }
    EXPECT_EQ(Form.ComponentState(), 0);
}

TEST_F(FormReaderTest, StreamingOrderLetsAStoredDownFollowItsGroup) {
    const TClassInfo* toggle = TClassRegistry::Instance().Find("TTestToggle");
    auto all = toggle->AllProperties();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->Name, "GroupIndex");
    TTestToggle stored(nullptr);
    stored.SetGroupIndex(1);
    stored.SetDown(true);
    // What a stored description holds, in streaming order: both, since both differ.
    EXPECT_TRUE(all[0]->IsStored(&stored));
    EXPECT_TRUE(all[1]->IsStored(&stored));
    Read("object Form1: TTestForm\n"
         "  object Toggle1: TTestToggle\n"
         "    GroupIndex = 1\n"
         "    Down = True\n"
         "  end\n"
         "  object Toggle2: TTestToggle\n"
         "    Down = True\n"
         "    GroupIndex = 1\n"
         "  end\n"
         "end\n");
    // Set in the order written: only the first loads down.
    EXPECT_TRUE(dynamic_cast<TTestToggle*>(Form.FindComponent("Toggle1"))->Down());
    EXPECT_FALSE(dynamic_cast<TTestToggle*>(Form.FindComponent("Toggle2"))->Down());
}

TEST_F(FormReaderTest, BindsFieldsToTheComponentsOfTheirNames) {
    Read("object Form1: TTestForm\n"
         "  object Widget1: TTestWidget\n"
         "  end\n"
         "  object Child1: TTestChild\n"
         "  end\n"
         "  object Widget2: TTestWidget\n"
         "  end\n"
         "end\n");
    EXPECT_EQ(Form.Widget1, Form.FindComponent("Widget1"));
    EXPECT_EQ(Form.Child1, Form.FindComponent("Child1"));
    ASSERT_NE(Form.Widget1, nullptr);
}

TEST_F(FormReaderTest, FieldTakesASubclassOfItsClass) {
    Read("object Form1: TTestForm\n"
         "  object Widget1: TTestChild\n"
         "  end\n"
         "end\n");
    EXPECT_EQ(Form.Widget1, Form.FindComponent("Widget1"));
}

TEST_F(FormReaderTest, ReachesObjectPropertiesThroughDottedNames) {
    Read("object Form1: TTestForm\n"
         "  object Widget1: TTestWidget\n"
         "    Highlight.OffsetLeft = -1\n"
         "    highlight.color = clTestRed\n"
         "  end\n"
         "end\n");
    EXPECT_EQ(Form.Widget1->Highlight()->OffsetLeft(), -1);
    EXPECT_EQ(Form.Widget1->Highlight()->Color(), 0x0000FFu);
}

TEST_F(FormReaderTest, ReadsEveryValueKind) {
    Read("object Form1: TTestForm\n"
         "  object Widget1: TTestWidget\n"
         "    Count = $7F\n"
         "    Enabled = false\n"
         "    Align = taRight\n"
         "    Style = [tsBold, tsUnderline]\n"
         "    Color = clTestSystem\n"
         "  end\n"
         "  object Widget2: TTestWidget\n"
         "    Style = []\n"
         "    Color = $FFFFFFFF\n"
         "    Count = -$10\n"
         "  end\n"
         "end\n");
    TTestWidget* w = Form.Widget1;
    EXPECT_EQ(w->Count(), 127);
    EXPECT_FALSE(w->Enabled());
    EXPECT_EQ(w->Align(), taRight);
    EXPECT_EQ(w->Style(), (1 << tsBold) | (1 << tsUnderline));
    EXPECT_EQ(w->Color(), 0x8000000Fu);
    TTestWidget* w2 = Widget("Widget2");
    EXPECT_EQ(w2->Style(), 0);
    EXPECT_EQ(w2->Color(), 0xFFFFFFFFu);
    EXPECT_EQ(w2->Count(), -16);
}

TEST_F(FormReaderTest, ReadsQuotedStringsWithCharacterCodesAndContinuations) {
    struct Case {
        const char* Written;
        const char* Text;
    } cases[] = {
        {"'abc'#13#10'def'", "abc\r\ndef"},
        {"#9", "\t"},
        {"'It''s'", "It's"},
        {"''''", "'"},
        {"''", ""},
        {"'ピコラム - (右クリックでポップアップメニュー)'",
         "ピコラム - (右クリックでポップアップメニュー)"},
        {"#12500#12467'ラム'", "ピコラム"},
        {"#$41'B'", "AB"},
        {"'first ' +\n      'second' +\n  #33", "first second!"},
        {"'a = b'#39", "a = b'"},
    };
    for (const Case& c : cases) {
        AnsiString text = AnsiString("object Form1: TTestForm\n"
                                     "  object Widget1: TTestWidget\n"
                                     "    Caption = ") +
                          c.Written + "\n    Count = 1\n  end\nend\n";
        TTestForm form(nullptr);
        ReadComponentRes(text.c_str(), "TestForm", &form);
        ASSERT_NE(form.Widget1, nullptr);
        EXPECT_EQ(form.Widget1->Caption(), c.Text) << c.Written;
        EXPECT_EQ(form.Widget1->Count(), 1) << c.Written;
    }
}

TEST_F(FormReaderTest, AcceptsWindowsLineEndsTabsAndAByteOrderMark) {
    Read("\xEF\xBB\xBFobject Form1: TTestForm\r\n"
         "\tCaption = 'x'\r\n"
         "\tobject Widget1: TTestWidget\r\n"
         "\t\tCaption = 'a' +\r\n"
         "\t\t\t'b'\r\n"
         "\t\tCount = 2\r\n"
         "\tend\r\n"
         "end\r\n");
    EXPECT_EQ(Form.Caption(), "x");
    EXPECT_EQ(Form.Widget1->Caption(), "ab");
    EXPECT_EQ(Form.Widget1->Count(), 2);
}

TEST_F(FormReaderTest, BindsEventsToTheFormsMethods) {
    Read("object Form1: TTestForm\n"
         "  object Widget1: TTestWidget\n"
         "    OnClick = WidgetClick\n"
         "    OnMouseMove = widgetmove\n"
         "  end\n"
         "end\n");
    ASSERT_TRUE(Form.Widget1->OnClick());
    Form.Widget1->OnClick()(Form.Widget1);
    EXPECT_EQ(Form.Clicked, Form.Widget1);
    ASSERT_TRUE(Form.Widget1->OnMouseMove());
    Form.Widget1->OnMouseMove()(Form.Widget1, TShiftState(), 5, 6);
    EXPECT_EQ(Form.Moved, Point(5, 6));
}

TEST_F(FormReaderTest, ResolvesReferencesToComponentsDescribedLater) {
    Read("object Form1: TTestForm\n"
         "  object Widget1: TTestWidget\n"
         "    Buddy = Widget2\n"
         "    Count = 1\n"
         "  end\n"
         "  object Widget2: TTestWidget\n"
         "    Buddy = nil\n"
         "  end\n"
         "end\n");
    EXPECT_EQ(Form.Widget1->Buddy(), Widget("Widget2"));
    EXPECT_EQ(Widget("Widget2")->Buddy(), nullptr);
    // References are set once everything is read, before anything is loaded.
    auto buddy = std::find(Log.begin(), Log.end(), "Widget1.Buddy=Widget2");
    auto loaded = std::find(Log.begin(), Log.end(), "Loaded form");
    EXPECT_LT(buddy, loaded);
}

TEST_F(FormReaderTest, AcceptsTheFormsParentClassAndUnnamedOrInheritedObjects) {
    Read("inherited Form1: TTestForm\n"
         "  object TTestWidget\n"
         "    Count = 2\n"
         "  end\n"
         "  inherited Widget1: TTestWidget\n"
         "  end\n"
         "end");
    ASSERT_EQ(Form.ComponentCount(), 2);
    EXPECT_EQ(Form.Components(0)->Name(), "");
    EXPECT_EQ(dynamic_cast<TTestWidget*>(Form.Components(0))->Count(), 2);
    EXPECT_EQ(Form.Widget1, Form.Components(1));
}

TEST_F(FormReaderTest, ErrorsNameTheFormTheLineAndTheWord) {
    struct Case {
        const char* Body; // the lines inside "object Widget1: TTestWidget" (line 3 on)
        const char* Message;
    } cases[] = {
        {"    Colr = 1\n", "TestForm: 3: unknown property 'Colr'"},
        {"    Highlight.Nope = 1\n", "TestForm: 3: unknown property 'Highlight.Nope'"},
        {"    Count.Value = 1\n", "TestForm: 3: unknown property 'Count.Value'"},
        {"    Highlight = 1\n", "TestForm: 3: property that takes no value 'Highlight'"},
        {"    OnClick = WidgetClik\n", "TestForm: 3: unknown method 'WidgetClik'"},
        {"    OnClick = BadHandler\n",
         "TestForm: 3: method of the wrong type for this event 'BadHandler'"},
        {"    OnClick = WidgetMove\n",
         "TestForm: 3: method of the wrong type for this event 'WidgetMove'"},
        {"    OnClick = 'WidgetClick'\n", "TestForm: 3: invalid value 'WidgetClick'"},
        {"    Enabled = Yes\n", "TestForm: 3: invalid value 'Yes'"},
        {"    Enabled = 1\n", "TestForm: 3: invalid value '1'"},
        {"    Color = clNoSuch\n", "TestForm: 3: invalid value 'clNoSuch'"},
        {"    Align = taMiddle\n", "TestForm: 3: invalid value 'taMiddle'"},
        {"    Align = [taLeft]\n", "TestForm: 3: invalid value '[taLeft]'"},
        {"    Style = [tsBold, tsBlink]\n", "TestForm: 3: invalid value 'tsBlink'"},
        {"    Style = tsBold\n", "TestForm: 3: invalid value 'tsBold'"},
        {"    Style = [tsBold tsItalic]\n",
         "TestForm: 3: ',' or ']' expected instead of 'tsItalic'"},
        {"    Count = 'x'\n", "TestForm: 3: invalid value 'x'"},
        {"    Count = 4294967296\n", "TestForm: 3: invalid value '4294967296'"},
        {"    Count = 99999999999999999999\n", "TestForm: 3: invalid value '99999999999999999999'"},
        {"    Count = 12px\n", "TestForm: 3: invalid value '12px'"},
        {"    Count = 1.5\n", "TestForm: 3: invalid value '1.5'"},
        {"    Count = (1)\n", "TestForm: 3: invalid value '('"},
        {"    Caption = 'abc\n", "TestForm: 3: unterminated string 'abc'"},
        {"    Caption = 'abc' +\n    Count = 1\n",
         "TestForm: 4: string expected after '+' 'Count = 1'"},
        {"    Caption = #99999999\n", "TestForm: 3: invalid character code '#99999999'"},
        {"    Caption = #55296\n", "TestForm: 3: invalid character code '#55296'"},
        {"    Count 5\n", "TestForm: 3: '=' expected instead of '5'"},
        {"    Count\n    = 5\n", "TestForm: 3: '=' expected after 'Count'"},
        {"    Count = 1 Enabled = True\n",
         "TestForm: 3: end of line expected instead of 'Enabled'"},
        {"    Buddy = Nobody\n", "TestForm: 3: unknown component 'Nobody'"},
        {"    Buddy = 5\n", "TestForm: 3: invalid value '5'"},
        {"    Limit = -1\n", "TestForm: 3: limit below zero 'Limit'"},
        {"    Buddy = Other1\n", "TestForm: 3: component of the wrong class 'Other1'"},
        {"    = 5\n", "TestForm: 3: property name expected instead of '='"},
        {"    object Inner: TNoSuch\n    end\n", "TestForm: 3: unknown class 'TNoSuch'"},
        {"    object Inner: TTestPart\n    end\n",
         "TestForm: 3: not a component class 'TTestPart'"},
        {"    object Other1: TTestWidget\n    end\n", "TestForm: 6: duplicate name 'Other1'"},
        {"    object Inner TTestWidget\n    end\n",
         "TestForm: 3: end of line expected instead of 'TTestWidget'"},
    };
    for (const Case& c : cases) {
        AnsiString text = AnsiString("object Form1: TTestForm\n"
                                     "  object Widget1: TTestWidget\n") +
                          c.Body +
                          "  end\n"
                          "  object Other1: TTestOther\n"
                          "  end\n"
                          "end\n";
        TTestForm form(nullptr);
        try {
            ReadComponentRes(text.c_str(), "TestForm", &form);
            ADD_FAILURE() << "read without an error: " << c.Body;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), c.Message) << c.Body;
        }
        for (int i = 0; i < form.ComponentCount(); ++i)
            EXPECT_FALSE(form.Components(i)->IsLoading()) << c.Body;
        EXPECT_FALSE(form.IsLoading()) << c.Body;
    }
}

TEST_F(FormReaderTest, ErrorsInTheStructureOfTheDescription) {
    struct Case {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"object Form1: TTestWidget\nend\n", "TestForm: 1: the form is not of class 'TTestWidget'"},
        {"object Form1: TNoSuch\nend\n", "TestForm: 1: the form is not of class 'TNoSuch'"},
        {"Caption = 'x'\n", "TestForm: 1: 'object' expected instead of 'Caption'"},
        {"", "TestForm: 1: 'object' expected instead of ''"},
        {"object Form1: TTestForm\n  Caption = 'x'\n", "TestForm: 1: missing end of 'Form1'"},
        {"object Form1: TTestForm\n  object Widget1: TTestWidget\n    Count = 1\nend\n",
         "TestForm: 1: missing end of 'Form1'"},
        {"object Form1: TTestForm\n  object Widget1: TTestWidget\n    Count = 1\n",
         "TestForm: 2: missing end of 'Widget1'"},
        {"object Form1: TTestForm\nend\nobject Form2: TTestForm\nend\n",
         "TestForm: 3: text after the last end 'object'"},
        {"object Form1: TTestForm\n  object Widget1: TTestOther\n  end\nend\n",
         "TestForm: 2: component of another class than its field 'Widget1'"},
        {"object Form1: TTestForm\n  object Form1: TTestWidget\n  end\nend\n",
         "TestForm: 2: duplicate name 'Form1'"},
        {"object Form1:\nend\n", "TestForm: 1: class name expected after 'Form1:'"},
        {"object\nend\n", "TestForm: 1: class name expected after 'object'"},
        {"object Form1: [\nend\n", "TestForm: 1: class name expected instead of '['"},
    };
    for (const Case& c : cases) {
        TTestForm form(nullptr);
        try {
            ReadComponentRes(c.Text, "TestForm", &form);
            ADD_FAILURE() << "read without an error: " << c.Text;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), c.Message) << c.Text;
        }
    }
}

TEST_F(FormReaderTest, RootClassMustBeRegistered) {
    TTestOther other(nullptr);
    try {
        ReadComponentRes("object Other: TTestOther\nend\n", "Other", &other);
        SUCCEED();
    } catch (const EReadError&) {
        ADD_FAILURE() << "a registered root class is read";
    }
    TComponent plain(nullptr);
    EXPECT_THROW(
        {
            try {
                ReadComponentRes("object X: TComponent\nend\n", "Plain", &plain);
            } catch (const EReadError& e) {
                EXPECT_EQ(e.Message(), "Plain: 1: unknown class 'TComponent'");
                throw;
            }
        },
        EReadError);
}

TEST(Registry, PropertiesStreamInheritedFirstAndAreFoundThroughParents) {
    RegisterTestClasses();
    const TClassInfo* child = TClassRegistry::Instance().Find("TTestChild");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->Parent, TClassRegistry::Instance().Find("ttestwidget"));
    std::vector<AnsiString> names;
    for (const TPropInfo* p : child->AllProperties())
        names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<AnsiString>{"Count", "Enabled", "Caption", "Align", "Style",
                                              "Color", "Highlight", "Buddy", "Limit", "OnClick",
                                              "OnMouseMove", "Extra"}));
    const TPropInfo* count = child->FindProperty("count");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->Name, "Count");
    EXPECT_EQ(child->FindProperty("Nope"), nullptr);
}

TEST(Registry, RegisteringAgainRepeatsNothing) {
    RegisterTestClasses();
    RegisterTestClasses();
    const TClassInfo* widget = TClassRegistry::Instance().Find("TTestWidget");
    EXPECT_EQ(widget->Properties.size(), 11u);
    EXPECT_EQ(&TClassRegistry::Instance().Add("TTestWidget", ""), widget);
    const TClassInfo* form = TClassRegistry::Instance().Find("TTestForm");
    EXPECT_EQ(form->Methods.size(), 3u);
    EXPECT_EQ(form->Fields.size(), 2u);
}

TEST(Registry, ParentMustBeRegisteredFirst) {
    EXPECT_THROW(TClassRegistry::Instance().Add("TOrphan", "TNoSuchParent"), EInvalidOperation);
    EXPECT_EQ(TClassRegistry::Instance().Find("TOrphan"), nullptr);
}

TEST(Registry, DeclaredDefaultsAndReadBackValues) {
    RegisterTestClasses();
    const TClassInfo* widget = TClassRegistry::Instance().Find("TTestWidget");
    EXPECT_EQ(widget->FindProperty("Count")->Default, TValue::Integer(0));
    EXPECT_EQ(widget->FindProperty("Enabled")->Default, TValue::Ident("True"));
    EXPECT_EQ(widget->FindProperty("Align")->Default, TValue::Ident("taNone"));
    EXPECT_EQ(widget->FindProperty("Style")->Default, TValue::Set({}));
    EXPECT_FALSE(widget->FindProperty("Caption")->Default.has_value());
    EXPECT_FALSE(widget->FindProperty("Color")->Default.has_value());
    const TClassInfo* part = TClassRegistry::Instance().Find("TTestPart");
    EXPECT_EQ(part->FindProperty("OffsetLeft")->Default, TValue::Integer(1));
    const TClassInfo* form = TClassRegistry::Instance().Find("TTestForm");
    EXPECT_EQ(form->FindProperty("Caption")->Default, TValue::String(""));

    TTestWidget w(nullptr);
    w.SetStyle((1 << tsItalic) | (1 << tsUnderline));
    w.SetCaption("x");
    EXPECT_EQ(widget->FindProperty("Style")->Read(&w), TValue::Set({"tsItalic", "tsUnderline"}));
    EXPECT_EQ(widget->FindProperty("Caption")->Read(&w), TValue::String("x"));
    EXPECT_EQ(widget->FindProperty("Buddy")->Read(&w), TValue::Ident("nil"));
}

TEST(Registry, StoredWhenDifferentFromTheDeclaredDefaultOrWithoutOne) {
    RegisterTestClasses();
    const TClassInfo* widget = TClassRegistry::Instance().Find("TTestWidget");
    const TClassInfo* part = TClassRegistry::Instance().Find("TTestPart");
    TTestWidget w(nullptr);
    EXPECT_FALSE(widget->FindProperty("Count")->IsStored(&w));
    EXPECT_FALSE(widget->FindProperty("Style")->IsStored(&w));
    EXPECT_FALSE(widget->FindProperty("Buddy")->IsStored(&w));
    EXPECT_TRUE(widget->FindProperty("Caption")->IsStored(&w));    // no declared default
    EXPECT_FALSE(widget->FindProperty("Highlight")->IsStored(&w)); // its parts are
    EXPECT_FALSE(widget->FindProperty("OnClick")->IsStored(&w));
    w.SetCount(5);
    w.SetStyle(1 << tsBold);
    w.SetBuddy(&w);
    EXPECT_TRUE(widget->FindProperty("Count")->IsStored(&w));
    EXPECT_TRUE(widget->FindProperty("Style")->IsStored(&w));
    EXPECT_TRUE(widget->FindProperty("Buddy")->IsStored(&w));
    EXPECT_FALSE(part->FindProperty("OffsetLeft")->IsStored(w.Highlight()));
    w.Highlight()->SetOffsetLeft(-1);
    EXPECT_TRUE(part->FindProperty("OffsetLeft")->IsStored(w.Highlight()));
}

TEST(Registry, IdentsStandForNumbers) {
    RegisterTestClasses();
    EXPECT_EQ(FindIdent("clTestRed"), 0xFF);
    EXPECT_EQ(FindIdent("CLTESTRED"), 0xFF);
    EXPECT_FALSE(FindIdent("clTestBlue").has_value());
    EXPECT_EQ(IdentOf(0x8000000F, "cl"), "clTestSystem");
    EXPECT_EQ(IdentOf(0x8000000F, "xx"), "");
    // The first registration of a name stays.
    RegisterIdents({{"clTestRed", 1}});
    EXPECT_EQ(FindIdent("clTestRed"), 0xFF);
}

TEST(Registry, EnumerationNamesAndValues) {
    EXPECT_EQ(AlignInfo.Find("TALEFT"), 1);
    EXPECT_FALSE(AlignInfo.Find("taMiddle").has_value());
    EXPECT_EQ(AlignInfo.NameOf(2), "taRight");
    EXPECT_EQ(AlignInfo.NameOf(9), "");
    EXPECT_EQ(EnumToValue(9, AlignInfo, false), TValue::Integer(9));
    EXPECT_EQ(EnumToValue(1 << tsBold, StyleInfo, true), TValue::Set({"tsBold"}));
}

} // namespace
