#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

#include "file_name_fields.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class QVBoxLayout;

namespace plexion {

class CColorField;

// The dialog behind every form of the editor: a resizable window with OK
// and Cancel holding a vertical list of labelled fields. Each field is bound
// to a variable of the caller; OK writes every field back into its
// variable, Cancel writes nothing. A dialog is a few declarations:
//
//     CFormDialog dialog(tr("Document Properties"), parent);
//     dialog.AddTitle("Text Fields");
//     dialog.AddText("Document's &ID", name);
//     dialog.AddMultiLineText("Document's &Comments", comments);
//     if (dialog.exec() == QDialog::Accepted) { … }
//
// The bound variables must outlive the dialog. Labels take "&" before the
// letter that jumps to the field with Alt. The dialog opens with the
// keyboard in its first field (its text selected) unless a field was given
// the focus before; Tab runs through the fields, then OK and Cancel.
class CFormDialog : public QDialog {
    Q_OBJECT
public:
    explicit CFormDialog(const QString& caption, QWidget* parent = nullptr);

    // A section title strip.
    QLabel* AddTitle(const QString& text);
    QLineEdit* AddText(const QString& label, QString& value);
    // Shows every line break of `value` as a plain one. OK leaves an
    // untouched text exactly as it was; an edited one gets the line break
    // its first line break used ("\r\n", "\n" or "\r"; "\n" without one).
    QPlainTextEdit* AddMultiLineText(const QString& label, QString& value);
    // The field cannot leave minimum … maximum; a value outside starts at
    // the nearer limit.
    QSpinBox* AddInteger(const QString& label, int& value, int minimum, int maximum);
    // Two integers on one line, "first x second" (a width and a height),
    // both held to minimum … maximum.
    std::pair<QSpinBox*, QSpinBox*> AddIntegerPair(const QString& label, int& first, int& second,
                                                   int minimum, int maximum);
    // One entry of a list; an index outside it starts at the first entry.
    QComboBox* AddChoice(const QString& label, int& index, const QStringList& entries);
    QCheckBox* AddBool(const QString& label, bool& value);
    CColorField* AddColor(const QString& label, QColor& value);
    // `filter` is in the editor's "Name (*.a;*.b)\n*.a;*.b\n…" form.
    CFileNameField* AddFileName(const QString& label, QString& value, FileNameMode mode,
                                const QString& filter);
    CFileNamesField* AddFileNames(const QString& label, QStringList& value, const QString& filter);
    // A list of `entries` of which one is chosen: `value` is its index,
    // and a value outside the list starts with the first entry chosen.
    // A double click on an entry chooses it and presses OK.
    QListWidget* AddList(const QString& label, const QStringList& entries, int& value);
    // Read-only text, shown as it is (no markup).
    QLabel* AddInformation(const QString& text);
    // Read-only text of any length: it scrolls instead of growing the
    // dialog, and takes `stretch` shares of the height the dialog gains.
    QPlainTextEdit* AddScrollingInformation(const QString& text, int stretch = 1);

    // The fields added until the matching EndIndent stand indented under
    // `owner` and can be changed only while it is checked. Indents nest.
    void BeginIndent(QCheckBox* owner);
    void EndIndent();

    // Writes every field into its variable, then closes with OK.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AddField(QWidget* field, int stretch = 0);
    void PutButtonsLastAndFocusFirstField();
    void AddLabelAbove(const QString& label, QWidget* field, int stretch = 0);
    // The label leads to `buddy`, or to the field itself.
    void AddLabelBeside(const QString& label, QWidget* field, QWidget* buddy = nullptr);

    QVBoxLayout* fields_;
    QDialogButtonBox* buttons_;
    std::vector<QVBoxLayout*> indents_;
    std::vector<std::function<void()>> store_;
    bool stretches_ = false;
    bool finished_ = false;
};

}  // namespace plexion
