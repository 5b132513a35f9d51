// Reading and writing form descriptions: creation order and ownership, values of every kind,
// defaults left out, round trips, and the errors that abort loading.
#include "TestApplication.h"

#include "forms/Buttons.h"
#include "forms/ComCtrls.h"
#include "forms/ExtCtrls.h"
#include "forms/FormReader.h"
#include "forms/Spin.h"

#include <gtest/gtest.h>

#include <QPointer>

namespace {

std::vector<QString> g_Destroyed;

// A component that records its destruction.
class TProbe : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Note READ Note WRITE SetNote)
  public:
    explicit TProbe(TComponent* AOwner) : TComponent(AOwner) {}
    ~TProbe() override { g_Destroyed.push_back(Name()); }
    QString Note() const { return m_Note; }
    void SetNote(QString const& Value) { m_Note = Value; }

  private:
    QString m_Note;
};

// A list kept as a defined property: groups of a caption and a flag, as a caption-button list is.
class TPairList : public TPersistent {
    Q_OBJECT
  public:
    std::vector<std::pair<QString, bool>> Pairs;
    void DefineProperties(TFiler& Filer) override {
        Filer.DefineProperty(
            QStringLiteral("Pairs"),
            [this](TFormValue const& value) {
                Pairs.clear();
                for (size_t i = 0; i + 1 < value.items.size(); i += 2)
                    Pairs.push_back({value.items[i].text, value.items[i + 1].text == QStringLiteral("True")});
            },
            [this] {
                std::vector<TFormValue> items;
                for (auto const& [caption, flag] : Pairs) {
                    items.push_back(TFormValue::String(caption));
                    items.push_back(
                        TFormValue::Ident(flag ? QStringLiteral("True") : QStringLiteral("False")));
                }
                return TFormValue::List(std::move(items));
            },
            !Pairs.empty());
    }
};

class TListHolder : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TPairList* Buttons READ Buttons)
    Q_PROPERTY(QString About READ About WRITE SetAbout STORED false)
  public:
    explicit TListHolder(TComponent* AOwner) : TComponent(AOwner) {}
    TPairList* Buttons() { return &m_Buttons; }
    QString About() const { return QStringLiteral("never stored"); }
    void SetAbout(QString const&) {}

  private:
    TPairList m_Buttons;
};

class TTestForm : public TForm {
    Q_OBJECT
    Q_PROPERTY(TButton* Button1 MEMBER Button1)
  public:
    explicit TTestForm(TComponent* AOwner) : TForm(AOwner) {}
    TButton* Button1 = nullptr;
    int clicks = 0;
    int creates = 0;
  public slots:
    void Button1Click(TObject*) { ++clicks; }
    void FormCreate(TObject*) { ++creates; }
};

class FormReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApplication();
        RegisterClass<TProbe>();
        RegisterClass<TListHolder>();
        g_Destroyed.clear();
    }
};

QString const sample = QStringLiteral(R"(object Form1: TTestForm
  Left = 10
  Top = 20
  Width = 618
  Height = 441
  Caption = 'BootFettle 3.0 by Tamsin Orrel'
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Menu = MainMenu1
  Position = poScreenCenter
  ShowHint = True
  OnCreate = FormCreate
  object Probe1: TProbe
    Note = 'It''s'#13#10'two lines'
  end
  object Panel2: TPanel
    Left = 0
    Top = 0
    Width = 609
    Height = 41
    BevelOuter = bvLowered
    object Label1: TLabel
      Left = 200
      Top = 8
      Width = 200
      Height = 20
      Alignment = taCenter
      AutoSize = False
      Caption = 'BootFettle 3.0'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clNavy
      Font.Height = -13
      Font.Name = 'Arial'
      Font.Style = [fsBold, fsItalic]
      ParentFont = False
    end
  end
  object Button1: TButton
    Left = 8
    Top = 56
    Width = 113
    Height = 25
    Hint = 'Commits Changes'
    Caption = 'Commit Changes'
    OnClick = Button1Click
  end
  object SpinEdit1: TSpinEdit
    Left = 8
    Top = 100
    MaxValue = 2
    Value = 2
  end
  object StatusBar1: TStatusBar
    Height = 9
    Panels = <
      item
        Width = 50
      end
      item
        Text = 'two'
        Width = 60
      end>
  end
  object Timer1: TTimer
    Interval = 500
  end
  object MainMenu1: TMainMenu
    object Main1: TMenuItem
      Caption = 'Main'
      object Exit1: TMenuItem
        Caption = 'Exit'
      end
    end
  end
end
)");

TEST_F(FormReaderTest, components_are_created_in_form_order_and_owned_by_the_form) {
    auto* form = new TTestForm(nullptr);
    form->ReadForm(sample);
    QStringList names;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        names << form->Components(i)->Name();
        EXPECT_EQ(form->Components(i)->Owner(), form);
    }
    EXPECT_EQ(names, QStringList({"Probe1", "Panel2", "Label1", "Button1", "SpinEdit1", "StatusBar1",
                                  "Timer1", "MainMenu1", "Main1", "Exit1"}));
    QPointer<QWidget> labelWidget = form->FindComponent<TLabel>("Label1")->Widget();
    delete form;
    EXPECT_EQ(g_Destroyed, std::vector<QString>{"Probe1"});
    EXPECT_TRUE(labelWidget.isNull());
}

TEST_F(FormReaderTest, values_of_every_kind_are_set) {
    TTestForm form(nullptr);
    form.ReadForm(sample);
    EXPECT_EQ(form.Caption(), QStringLiteral("BootFettle 3.0 by Tamsin Orrel"));
    EXPECT_EQ(form.Width(), 618);
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(form.FindComponent<TProbe>("Probe1")->Note(), QStringLiteral("It's\r\ntwo lines"));
    auto* label = form.FindComponent<TLabel>("Label1");
    EXPECT_EQ(label->Parent(), form.FindComponent<TPanel>("Panel2"));
    EXPECT_EQ(label->Font()->Style(), TFontStyles(fsBold | fsItalic));
    EXPECT_EQ(label->Font()->Color(), clNavy);
    EXPECT_EQ(label->Font()->Height(), -13);
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_FALSE(label->ParentFont());
    EXPECT_EQ(form.FindComponent<TPanel>("Panel2")->BevelOuter(), bvLowered);
    auto* spin = form.FindComponent<TSpinEdit>("SpinEdit1");
    EXPECT_EQ(spin->Text(), QStringLiteral("2"));
    auto* bar = form.FindComponent<TStatusBar>("StatusBar1");
    ASSERT_EQ(bar->Panels()->Count(), 2);
    EXPECT_EQ(bar->Panels()->Items(1)->Text(), QStringLiteral("two"));
    EXPECT_EQ(bar->Panels()->Items(1)->Width(), 60);
    EXPECT_EQ(form.Menu(), form.FindComponent<TMainMenu>("MainMenu1"));
    EXPECT_EQ(form.Menu()->Items()->Items(0)->Items(0)->Caption(), QStringLiteral("Exit"));
    EXPECT_EQ(form.FindComponent<TTimer>("Timer1")->Interval(), 500);
    EXPECT_TRUE(form.FindComponent<TButton>("Button1")->EffectiveShowHint());
    EXPECT_EQ(form.FindComponent<TButton>("Button1")->Widget()->toolTip(), QStringLiteral("Commits Changes"));
}

TEST_F(FormReaderTest, events_bind_to_the_form_methods_and_fields_to_the_components) {
    TTestForm form(nullptr);
    form.ReadForm(sample);
    EXPECT_EQ(form.creates, 1);
    ASSERT_EQ(form.Button1, form.FindComponent<TButton>("Button1"));
    form.Button1->Click();
    EXPECT_EQ(form.clicks, 1);
}

TEST_F(FormReaderTest, client_area_lies_inside_the_frame_and_below_the_menu) {
    TTestForm form(nullptr);
    form.ReadForm(sample);
    EXPECT_EQ(form.ClientWidth(), 610);
    EXPECT_EQ(form.ClientHeight(), 395);
    auto* bar = form.FindComponent<TStatusBar>("StatusBar1");
    EXPECT_EQ(bar->BoundsRect(), QRect(0, 386, 610, 9));
}

TEST_F(FormReaderTest, write_read_write_is_identical_and_stores_no_defaults) {
    TTestForm first(nullptr);
    first.ReadForm(sample);
    QString const written = WriteComponentText(&first);
    TTestForm second(nullptr);
    second.ReadForm(written);
    EXPECT_EQ(WriteComponentText(&second), written);

    // Defaults are left out; values equal to the default but listed as NoDefault stay.
    EXPECT_FALSE(written.contains(QStringLiteral("Visible = ")));
    EXPECT_FALSE(written.contains(QStringLiteral("Enabled = ")));
    EXPECT_FALSE(written.contains(QStringLiteral("BevelInner")));
    EXPECT_FALSE(written.contains(QStringLiteral("Button1 = Button1")));
    EXPECT_TRUE(written.contains(QStringLiteral("  Font.Style = []\n")));
    EXPECT_TRUE(written.contains(QStringLiteral("      Font.Style = [fsBold, fsItalic]\n")));
    EXPECT_TRUE(written.contains(QStringLiteral("    OnClick = Button1Click\n")));
    EXPECT_TRUE(written.contains(QStringLiteral("  Menu = MainMenu1\n")));
    EXPECT_TRUE(written.contains(QStringLiteral("    Note = 'It''s'#13#10'two lines'\n")));
    EXPECT_TRUE(written.contains(QStringLiteral("    BevelOuter = bvLowered\n")));
    EXPECT_FALSE(written.contains(QStringLiteral("ParentFont = False")) &&
                 written.indexOf(QStringLiteral("ParentFont = False")) <
                     written.indexOf(QStringLiteral("Label1")));
}

TEST_F(FormReaderTest, defined_list_property_reads_and_writes_back_under_its_nested_name) {
    QString const holderText = QStringLiteral("  object Holder1: TListHolder\n"
                                              "    Buttons.Pairs = (\n"
                                              "      'About'\n"
                                              "      True\n"
                                              "      'More'\n"
                                              "      False)\n"
                                              "  end\n");
    QString const text = QStringLiteral("object Form1: TTestForm\n") + holderText + QStringLiteral("end\n");
    TTestForm form(nullptr);
    form.ReadForm(text);
    auto* holder = form.FindComponent<TListHolder>("Holder1");
    ASSERT_EQ(holder->Buttons()->Pairs.size(), 2u);
    EXPECT_EQ(holder->Buttons()->Pairs[1], std::make_pair(QStringLiteral("More"), false));
    EXPECT_TRUE(
        WriteComponentText(&form).endsWith(holderText + QStringLiteral("end\n"))); // About is never stored
    holder->Buttons()->Pairs.clear();
    EXPECT_FALSE(WriteComponentText(&form).contains(QStringLiteral("Buttons")));
}

TEST_F(FormReaderTest, a_plain_control_writes_only_what_differs_from_a_new_one) {
    TForm form(nullptr);
    form.SetName(QStringLiteral("Form1"));
    auto* button = new TButton(&form);
    button->SetName(QStringLiteral("Button1"));
    button->SetParent(&form);
    button->SetCaption(QStringLiteral("Go"));
    TFormObject const written = WriteComponent(&form);
    ASSERT_EQ(written.children.size(), 1u);
    std::vector<TFormProperty> const& properties = written.children[0].properties;
    QStringList names;
    for (TFormProperty const& property : properties)
        names << property.name;
    EXPECT_EQ(names, QStringList({"Caption"}));
}

struct ErrorCase {
    char const* text;
    char const* expected; // part of the message
};

TEST_F(FormReaderTest, unknown_names_abort_loading_with_a_message_naming_them_and_the_line) {
    ErrorCase const cases[] = {
        {"object Form1: TTestForm\n  object X1: TFoo\n  end\nend\n", "Line 2: Class TFoo not found"},
        {"object Form1: TTestForm\n  Caption = 'x'\n  Bogus = 1\nend\n",
         "Line 3: Error reading Form1.Bogus: Property Bogus does not exist"},
        {"object Form1: TTestForm\n  object B: TButton\n    Font.Sty = []\n  end\nend\n",
         "Line 3: Error reading B.Font.Sty: Property Sty does not exist"},
        {"object Form1: TTestForm\n  Position = poNowhere\nend\n",
         "Line 2: Error reading Form1.Position: Invalid property value poNowhere"},
        {"object Form1: TTestForm\n  Font.Style = [fsBlink]\nend\n",
         "Line 2: Error reading Form1.Font.Style: Invalid property value fsBlink"},
        {"object Form1: TTestForm\n  OnCreate = NoSuchMethod\nend\n",
         "Line 2: Error reading Form1.OnCreate: Method NoSuchMethod does not exist in TTestForm"},
        {"object Form1: TTestForm\n  Menu = Missing1\nend\n",
         "Line 2: Error reading Form1.Menu: Component Missing1 does not exist"},
        {"object Form1: TTestForm\n  Width = 'wide'\nend\n",
         "Line 2: Error reading Form1.Width: Invalid property value"},
        {"object Form1: TTestForm\n  object B: TButton\n  end\n  object B: TButton\n  end\nend\n",
         "Line 4: A component named B already exists"},
        {"object Form1: TTestForm\n  Caption = 'open\nend\n", "Line 2: Unterminated string"},
        {"object Form1: TTestForm\n  Caption = 'x'\n", "'end' expected for Form1"},
        {"object Form1: TOtherForm\nend\n", "Line 1: Form description is for TOtherForm, not TTestForm"},
    };
    for (ErrorCase const& c : cases) {
        TTestForm form(nullptr);
        try {
            form.ReadForm(QString::fromLatin1(c.text));
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (EReadError const& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromLatin1(c.expected)))
                << "got \"" << e.Message().toStdString() << "\", wanted \"" << c.expected << "\"";
        }
        EXPECT_EQ(form.creates, 0);
    }
}

TEST_F(FormReaderTest, values_parse_and_print_back_the_same) {
    QString const text = QStringLiteral("object Root: TTestForm\n"
                                        "  A = -12\n"
                                        "  B = $FF\n"
                                        "  C = 1.5\n"
                                        "  D = 'one' +\n    'two'#9'three'\n"
                                        "  E = [x, y]\n"
                                        "  F = (\n    'About'\n    True\n    False\n    'cbkMore')\n"
                                        "  G = <\n    item\n      Width = 50\n    end>\n"
                                        "  H = {\n    0102FF}\n"
                                        "end\n");
    TFormObject const parsed = ParseFormText(text);
    ASSERT_EQ(parsed.properties.size(), 8u);
    EXPECT_EQ(parsed.properties[0].value.integer, -12);
    EXPECT_EQ(parsed.properties[1].value.integer, 255);
    EXPECT_EQ(parsed.properties[2].value.real, 1.5);
    EXPECT_EQ(parsed.properties[3].value.text, QStringLiteral("onetwo\tthree"));
    EXPECT_EQ(parsed.properties[4].value.names, QStringList({"x", "y"}));
    EXPECT_EQ(parsed.properties[5].value.items.size(), 4u);
    EXPECT_EQ(parsed.properties[6].value.collection.size(), 1u);
    EXPECT_EQ(parsed.properties[7].value.bytes, QByteArray("\x01\x02\xFF", 3));
    TFormObject const again = ParseFormText(PrintFormText(parsed));
    EXPECT_EQ(again.properties, parsed.properties);
}

} // namespace

#include "FormReaderTests.moc"
