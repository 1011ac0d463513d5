#include "form_dialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "color_conversion.h"
#include "color_field.h"
#include "line_breaks.h"
#include "mnemonic_text.h"
#include "storable_line_text.h"

namespace plexion {
namespace {

constexpr int kIndent = 20;
// Fields that can use more height take it in this share against read-only
// texts, which take theirs as asked.
constexpr int kGrowingFieldStretch = 3;

QLabel* MakeLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CFormDialog::CFormDialog(const QString& caption, QWidget* parent)
    : QDialog(parent),
      fields_(new QVBoxLayout),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(caption);
    setSizeGripEnabled(true);
    setMinimumWidth(360);

    QPalette colors = palette();
    colors.setColor(QPalette::Window, InterfaceQColor(InterfaceColor::DialogFace));
    colors.setColor(QPalette::WindowText, InterfaceQColor(InterfaceColor::DialogText));
    setPalette(colors);

    connect(buttons_, &QDialogButtonBox::accepted, this, &CFormDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &CFormDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields_, 1);
    layout->addWidget(buttons_);
    indents_.push_back(fields_);
}

void CFormDialog::AddField(QWidget* field, int stretch) {
    indents_.back()->addWidget(field, stretch);
    stretches_ = stretches_ || stretch > 0;
}

void CFormDialog::AddLabelAbove(const QString& label, QWidget* field, int stretch) {
    AddField(MakeLabel(label, field));
    AddField(field, stretch);
}

void CFormDialog::AddLabelBeside(const QString& label, QWidget* field, QWidget* buddy) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeLabel(label, buddy != nullptr ? buddy : field), 1);
    layout->addWidget(field);
    AddField(row);
}

QLabel* CFormDialog::AddTitle(const QString& text) {
    auto* title = new QLabel(text);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    title->setTextFormat(Qt::PlainText);
    title->setContentsMargins(6, 3, 6, 3);
    title->setAutoFillBackground(true);
    QPalette colors = title->palette();
    colors.setColor(QPalette::Window, InterfaceQColor(InterfaceColor::DialogSpottedFace));
    colors.setColor(QPalette::WindowText, InterfaceQColor(InterfaceColor::DialogSpottedText));
    title->setPalette(colors);
    AddField(title);
    return title;
}

QLineEdit* CFormDialog::AddText(const QString& label, QString& value) {
    auto* edit = new QLineEdit;
    // Before the text: QLineEdit cuts what passes its default maximum.
    MakeStorableLineText(edit);
    edit->setText(value);
    AddLabelAbove(label, edit);
    store_.push_back([edit, &value] { value = edit->text(); });
    return edit;
}

QPlainTextEdit* CFormDialog::AddMultiLineText(const QString& label, QString& value) {
    auto* edit = new QPlainTextEdit(ShownLineBreaks(value));
    edit->setTabChangesFocus(true);
    edit->setMinimumHeight(edit->fontMetrics().lineSpacing() * 4);
    AddLabelAbove(label, edit, kGrowingFieldStretch);
    // The field gives back its text in its own plain form (one kind of
    // line break, some characters replaced), so an untouched text is told
    // by that form and then left exactly as it came.
    const QString untouched = edit->toPlainText();
    store_.push_back([edit, &value, untouched, lineBreak = LineBreakOf(value)] {
        const QString shown = edit->toPlainText();
        if (shown != untouched) {
            value = WithLineBreak(shown, lineBreak);
        }
    });
    return edit;
}

QSpinBox* CFormDialog::AddInteger(const QString& label, int& value, int minimum, int maximum) {
    auto* spin = new QSpinBox;
    spin->setRange(std::min(minimum, maximum), std::max(minimum, maximum));
    spin->setValue(value);
    spin->setMinimumWidth(100);
    AddLabelBeside(label, spin);
    store_.push_back([spin, &value] { value = spin->value(); });
    return spin;
}

std::pair<QSpinBox*, QSpinBox*> CFormDialog::AddIntegerPair(const QString& label, int& first,
                                                            int& second, int minimum, int maximum) {
    auto* pair = new QWidget;
    auto* layout = new QHBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    std::pair<QSpinBox*, QSpinBox*> spins;
    for (auto [spin, value] :
         {std::pair{&spins.first, &first}, std::pair{&spins.second, &second}}) {
        *spin = new QSpinBox;
        (*spin)->setRange(std::min(minimum, maximum), std::max(minimum, maximum));
        (*spin)->setValue(*value);
        (*spin)->setMinimumWidth(90);
        store_.push_back([field = *spin, value] { *value = field->value(); });
    }
    layout->addWidget(spins.first);
    layout->addWidget(new QLabel(QStringLiteral("x")));
    layout->addWidget(spins.second);
    // The label's Alt letter leads to the first number.
    AddLabelBeside(label, pair, spins.first);
    return spins;
}

QComboBox* CFormDialog::AddChoice(const QString& label, int& index, const QStringList& entries) {
    auto* choice = new QComboBox;
    choice->addItems(entries);
    choice->setCurrentIndex(index >= 0 && index < entries.size() ? index : 0);
    AddLabelAbove(label, choice);
    store_.push_back([choice, &index] { index = choice->currentIndex(); });
    return choice;
}

QCheckBox* CFormDialog::AddBool(const QString& label, bool& value) {
    auto* box = new QCheckBox(label);
    box->setChecked(value);
    AddField(box);
    store_.push_back([box, &value] { value = box->isChecked(); });
    return box;
}

CColorField* CFormDialog::AddColor(const QString& label, QColor& value) {
    auto* field = new CColorField(WithoutMnemonics(label), value);
    AddLabelBeside(label, field);
    store_.push_back([field, &value] { value = field->Color(); });
    return field;
}

CFileNameField* CFormDialog::AddFileName(const QString& label, QString& value, FileNameMode mode,
                                         const QString& filter) {
    auto* field = new CFileNameField(WithoutMnemonics(label), mode, filter, value);
    AddLabelAbove(label, field);
    store_.push_back([field, &value] { value = field->FileName(); });
    return field;
}

CFileNamesField* CFormDialog::AddFileNames(const QString& label, QStringList& value,
                                           const QString& filter) {
    auto* field = new CFileNamesField(WithoutMnemonics(label), filter, value);
    AddLabelAbove(label, field, kGrowingFieldStretch);
    store_.push_back([field, &value] { value = field->FileNames(); });
    return field;
}

QListWidget* CFormDialog::AddList(const QString& label, const QStringList& entries, int& value) {
    auto* list = new QListWidget;
    list->addItems(entries);
    list->setCurrentRow(value >= 0 && value < list->count() ? value : 0);
    connect(list, &QListWidget::itemDoubleClicked, this, &CFormDialog::accept);
    AddLabelAbove(label, list, kGrowingFieldStretch);
    store_.push_back([list, &value] { value = list->currentRow(); });
    return list;
}

QLabel* CFormDialog::AddInformation(const QString& text) {
    auto* information = new QLabel(text);
    information->setTextFormat(Qt::PlainText);
    information->setWordWrap(true);
    information->setTextInteractionFlags(Qt::TextSelectableByMouse);
    AddField(information);
    return information;
}

QPlainTextEdit* CFormDialog::AddScrollingInformation(const QString& text, int stretch) {
    auto* information = new QPlainTextEdit(ShownLineBreaks(text));
    information->setReadOnly(true);
    information->setFrameShape(QFrame::NoFrame);
    information->setFocusPolicy(Qt::ClickFocus);
    information->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette colors = information->palette();
    colors.setColor(QPalette::Base, palette().color(QPalette::Window));
    colors.setColor(QPalette::Text, palette().color(QPalette::WindowText));
    information->setPalette(colors);
    AddField(information, stretch);
    return information;
}

void CFormDialog::BeginIndent(QCheckBox* owner) {
    auto* block = new QWidget;
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(kIndent, 0, 0, 0);
    block->setEnabled(owner->isChecked());
    connect(owner, &QCheckBox::toggled, block, &QWidget::setEnabled);
    AddField(block);
    indents_.push_back(layout);
}

void CFormDialog::EndIndent() {
    // The dialog's own list is never closed.
    if (indents_.size() > 1) {
        indents_.pop_back();
    }
}

void CFormDialog::accept() {
    for (const auto& store : store_) {
        store();
    }
    QDialog::accept();
}

// Without a field that can grow, the fields keep together at the top when
// the dialog is made taller.
void CFormDialog::showEvent(QShowEvent* event) {
    if (!finished_) {
        if (!stretches_) {
            fields_->addStretch(1);
        }
        PutButtonsLastAndFocusFirstField();
    }
    finished_ = true;
    QDialog::showEvent(event);
}

// The buttons were made before the fields, so the focus chain starts with
// them: typing would go nowhere and Return would press OK at once.
void CFormDialog::PutButtonsLastAndFocusFirstField() {
    std::vector<QWidget*> fields;
    for (QWidget* widget = nextInFocusChain(); widget != this;
         widget = widget->nextInFocusChain()) {
        if (widget != buttons_ && !buttons_->isAncestorOf(widget)) {
            fields.push_back(widget);
        }
    }
    QWidget* previous = fields.empty() ? nullptr : fields.back();
    for (QAbstractButton* button : buttons_->buttons()) {
        if (previous != nullptr) {
            setTabOrder(previous, button);
        }
        previous = button;
    }
    QWidget* focused = focusWidget();
    if (focused != nullptr && !buttons_->isAncestorOf(focused)) {
        return;
    }
    const auto takesTab = [this](QWidget* widget) {
        return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isEnabled() &&
               widget->isVisibleTo(this);
    };
    const auto first = std::find_if(fields.begin(), fields.end(), takesTab);
    if (first == fields.end()) {
        return;
    }
    (*first)->setFocus(Qt::TabFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(*first)) {
        line->selectAll();
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(*first)) {
        lines->selectAll();
    }
}

}  // namespace plexion
