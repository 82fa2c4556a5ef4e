#include "ZelLXQueryItemUnit.h"

#include "ZelCodePage.h"
#include "ZelComboBox.h"
#include "ZelGuiTranslations.h"
#include "ZelHelpContext.h"
#include "ZelLXQueryUnit.h"
#include "ZelQtText.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstring>
#include <limits>

#include <unicode/uchar.h>

namespace {

// A letter or digit the system code page can write.
bool InCodePage(QChar c) {
    std::string byte;
    char16_t unit = c.unicode();
    return ZelTryWideToCodePage(std::u16string_view(&unit, 1), ZelGetSystemCodePage(), byte);
}

bool IsLetter(QChar c) {
    return u_isalpha(c.unicode()) && InCodePage(c);
}

bool IsDigit(QChar c) {
    return c >= '0' && c <= '9';
}

// A list as wide as its widest caption, the button and a margin.
// As wide as the widest caption, up to a limit (the box then shows the start of a longer
// caption, its list the whole of it).
void FitToCaptions(QComboBox* list, int limit = std::numeric_limits<int>::max()) {
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
    int width = widest + QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 10 + 8;
    list->setFixedWidth(std::min(width, limit));
}

constexpr int BoxWidth = 350;

QToolButton* GlyphButton(const QString& glyph, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(glyph);
    button->setFixedSize(10, 10);
    button->setAutoRaise(true);
    QFont font = button->font();
    font.setPixelSize(9);
    button->setFont(font);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

bool TZelLXQueryItemFrame::AcceptsCharacter(QChar c, TZelOpKind op, bool wordForms, IZelDic* dic) {
    auto oneOf = [c](const char* set) {
        return c.unicode() < 128 && std::strchr(set, char(c.unicode()));
    };
    switch (op) {
    case okAnagramOf:
    case okDiscardOf:
    case okExchangeOf:
    case okWedgeOf:
        return IsLetter(c);
    case okBeginsWith:
    case okEndsWith:
        return IsLetter(c) || (!wordForms && (IsDigit(c) || oneOf("&'-./")));
    case okContains:
        return IsLetter(c) || (!wordForms && (IsDigit(c) || oneOf(" &'-./")));
    case okContainsTheOnlyConsonants:
    case okContainsTheOnlyVowels: {
        auto* morph = dynamic_cast<IZelDicMorph*>(dic);
        if (!morph)
            return IsLetter(c);
        std::u16string set =
            op == okContainsTheOnlyVowels ? morph->GetVowels() : morph->GetConsonants();
        return set.find(c.unicode()) != std::u16string::npos ||
               set.find(c.toLower().unicode()) != std::u16string::npos;
    }
    case okContainsWildcards:
        return IsLetter(c) || IsDigit(c) || oneOf(" &'*-.?");
    case okLengthIs:
        return IsDigit(c);
    case okNear:
    case okWholeWords:
        return IsLetter(c) || IsDigit(c) || oneOf(" '()*-.?[]");
    case okWildcards:
        return wordForms ? IsLetter(c) || oneOf("*-?[]")
                         : IsLetter(c) || IsDigit(c) || oneOf(" &'*-.?[]");
    default:
        return true;
    }
}

TZelLXQueryItemFrame::TZelLXQueryItemFrame(TZelLXQueryFrame* editor, QWidget* parent)
    : QFrame(parent), Editor(editor), Connector(new TZelComboBox(this)),
      Negation(new TZelComboBox(this)), Operators(new TZelComboBox(this)),
      Arg1(new QLineEdit(this)), Values(new TZelComboBox(this)), Distance(new TZelComboBox(this)),
      Arg2(new QLineEdit(this)), SubValues(new TZelComboBox(this)), Add(GlyphButton("+", this)),
      Delete(GlyphButton("×", this)) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedWidth(BoxWidth);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    Connector->addItems(
        {ZelQStringFromSystem(ZelOpCaption(okOr)), ZelQStringFromSystem(ZelOpCaption(okAnd))});
    Negation->addItems({QString(), ZelQStringFromSystem(ZelOpCaption(okNot))});
    for (int d = 2; d <= 8; ++d)
        Distance->addItem(QString::number(d));
    Distance->setFixedWidth(fontMetrics().horizontalAdvance("8") +
                            style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 10 + 8);
    SubValues->setFixedWidth(96);
    Connector->setAccessibleName(tr("And or Or"));
    Negation->setAccessibleName(tr("Not"));
    Operators->setAccessibleName(tr("Operator"));
    Arg1->setAccessibleName(tr("Value"));
    Values->setAccessibleName(tr("Value"));
    Distance->setAccessibleName(tr("Distance"));
    Arg2->setAccessibleName(tr("Second value"));
    SubValues->setAccessibleName(tr("Second value"));
    FitToCaptions(Connector);
    FitToCaptions(Negation);
    for (QWidget* control : std::initializer_list<QWidget*>{Connector, Negation, Operators, Arg1,
                                                            Values, Distance, Arg2, SubValues})
        layout->addWidget(control, control == Arg1 || control == Values || control == Arg2 ? 1 : 0);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(Delete);
    buttons->addWidget(Add);
    layout->addLayout(buttons);
    ZelSetHelpContext(Connector, 23003);
    ZelSetHelpContext(Negation, 23004);
    ZelSetHelpContext(Operators, 23005);
    ZelSetHelpContext(Arg1, 23006);
    ZelSetHelpContext(Arg2, 23006);
    ZelSetHelpContext(Values, 23007);
    ZelSetHelpContext(Distance, 23007);
    ZelSetHelpContext(SubValues, 23008);
    ZelSetHelpContext(Add, 23001);
    ZelSetHelpContext(Delete, 23002);
    Add->setToolTip(tr("Add condition"));
    Delete->setToolTip(tr("Delete condition"));
    for (QWidget* control : std::initializer_list<QWidget*>{Connector, Negation, Operators, Arg1,
                                                            Values, Distance, Arg2, SubValues})
        control->installEventFilter(this);
    connect(Add, &QToolButton::clicked, this, [this] { Editor->AddCondition(this); });
    connect(Delete, &QToolButton::clicked, this, [this] { Editor->DeleteCondition(this); });
    connect(Connector, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!Refreshing && Data)
            Data->AndWithPrevious = index == 1, Changed();
    });
    connect(Negation, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!Refreshing && Data)
            Data->Negated = index == 1, Changed();
    });
    connect(Operators, &QComboBox::currentIndexChanged, this, [this](int) {
        if (Refreshing || !Data)
            return;
        Data->Operator = CurrentOperator();
        ApplyOperator();
        Changed();
    });
    connect(Values, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (Refreshing || !Data)
            return;
        Data->Arg1 = std::to_string(std::max(index, 0));
        Data->SubValue = -1;
        FillSubValues();
        Changed();
    });
    connect(SubValues, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!Refreshing && Data)
            Data->SubValue = index, Changed();
    });
    connect(Distance, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!Refreshing && Data)
            Data->NearDistance = index + 2, Changed();
    });
    connect(Arg1, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!Refreshing && Data)
            Data->Arg1 = ZelWideToCodePage(text.toStdU16String(), ZelGetSystemCodePage()),
            Changed();
    });
    connect(Arg2, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!Refreshing && Data)
            Data->Arg2 = ZelWideToCodePage(text.toStdU16String(), ZelGetSystemCodePage()),
            Changed();
    });
}

bool TZelLXQueryItemFrame::WordForms() const {
    return Editor->IsWordFormEditor();
}

TZelOpKind TZelLXQueryItemFrame::CurrentOperator() const {
    return TZelOpKind(Operators->currentData().toInt());
}

void TZelLXQueryItemFrame::Changed() {
    Editor->ConditionChanged();
}

void TZelLXQueryItemFrame::Fill(TZelLXQueryItemData& item, int position) {
    Refreshing = true;
    Data = &item;
    Index = position;
    TZelLXQueryField& field = item.Owner->GetField();
    Connector->setVisible(position > 0);
    Connector->setCurrentIndex(item.AndWithPrevious ? 1 : 0);
    Negation->setCurrentIndex(item.Negated ? 1 : 0);
    Operators->clear();
    for (TZelOpKind op : ZelQueryFieldOperators(field.Kind)) {
        QString caption = op == okEqInt && field.Kind == qkX && !field.CustomName.empty()
                              ? ZelQStringFromSystem((field.CustomName))
                              : ZelQStringFromSystem(ZelOpCaption(op));
        Operators->addItem(ZelGuiTranslate(caption), int(op));
    }
    // A long operator ("contiene la parola (caratteri jolly)") leaves the value room.
    FitToCaptions(Operators, BoxWidth / 2);
    Operators->setEnabled(Operators->count() > 1);
    Values->clear();
    Values->addItem(QString());
    if ((field.Kind == qkC || field.Kind == qkX) && field.GetValues())
        for (const std::string& name : field.GetValues()->Names)
            Values->addItem(ZelGuiTranslate(ZelQStringFromSystem((name))));
    SubValues->setVisible(field.HasMore);
    int index = Operators->findData(int(item.Operator));
    Operators->setCurrentIndex(std::max(index, 0));
    ApplyOperator();
    if (item.Operator == okEqInt) {
        Values->setCurrentIndex(std::clamp(std::atoi(item.Arg1.c_str()), 0, Values->count() - 1));
        FillSubValues();
    } else {
        Arg1->setText(ZelQStringFromSystem((item.Arg1)));
    }
    Arg2->setText(ZelQStringFromSystem((item.Arg2)));
    Distance->setCurrentIndex(std::clamp(item.NearDistance - 2, 0, 6));
    Refreshing = false;
}

void TZelLXQueryItemFrame::ApplyOperator() {
    TZelOpKind op = CurrentOperator();
    bool equal = op == okEqInt;
    Values->setVisible(equal);
    Arg1->setVisible(!equal);
    bool noValue = op == okIsDoubleFaced || op == okIsPalindrome;
    Arg1->setEnabled(!noValue);
    QPalette palette = Arg1->palette();
    palette.setColor(QPalette::Base,
                     QApplication::palette().color(noValue ? QPalette::Button : QPalette::Base));
    Arg1->setPalette(palette);
    // What the new operator does not accept goes.
    IZelDic* dic = Data ? Data->Owner->GetQuery().GetDic().get() : nullptr;
    for (QLineEdit* edit : {Arg1, Arg2}) {
        QString kept;
        for (QChar c : edit->text())
            if (AcceptsCharacter(c, op, WordForms(), dic))
                kept += c;
        if (kept != edit->text())
            edit->setText(kept);
    }
    bool near = op == okNear;
    Arg2->setVisible(near);
    Distance->setVisible(near);
}

void TZelLXQueryItemFrame::FillSubValues() {
    bool refreshing = Refreshing;
    Refreshing = true;
    SubValues->clear();
    SubValues->addItem(QString());
    bool any = false;
    if (Data) {
        const TZelQueryValues* values = Data->Owner->GetField().GetValues();
        int picked = Values->currentIndex();
        if (values && picked > 0 && size_t(picked - 1) < values->SubValues.size() &&
            values->SubValues[size_t(picked - 1)])
            for (const std::string& name : values->SubValues[size_t(picked - 1)]->Names) {
                SubValues->addItem(ZelGuiTranslate(ZelQStringFromSystem((name))));
                any = true;
            }
        SubValues->setCurrentIndex(std::clamp(Data->SubValue, 0, SubValues->count() - 1));
    }
    SubValues->setEnabled(any);
    Refreshing = refreshing;
}

QWidget* TZelLXQueryItemFrame::InputControl() const {
    if (!Arg1->isHidden() && Arg1->isEnabled())
        return Arg1;
    if (!Values->isHidden() && Values->isEnabled())
        return Values;
    if (Operators->isEnabled())
        return Operators;
    return Negation;
}

// The value edits refuse what the operator cannot use; Ctrl+Delete and Ctrl+Insert delete
// and add conditions.
bool TZelLXQueryItemFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & Qt::ControlModifier) {
        if (key->key() == Qt::Key_Delete) {
            Editor->DeleteCondition(this);
            return true;
        }
        if (key->key() == Qt::Key_Insert) {
            Editor->AddCondition(this);
            return true;
        }
    }
    if ((watched == Arg1 || watched == Arg2) && !key->text().isEmpty() &&
        key->key() != Qt::Key_Backspace && !(key->modifiers() & Qt::ControlModifier)) {
        IZelDic* dic = Data ? Data->Owner->GetQuery().GetDic().get() : nullptr;
        for (QChar c : key->text())
            if (c.isPrint() && !AcceptsCharacter(c, CurrentOperator(), WordForms(), dic)) {
                QApplication::beep();
                return true;
            }
    }
    return QFrame::eventFilter(watched, event);
}
