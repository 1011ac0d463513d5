#include "storable_line_text.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QValidator>

namespace plexion {
namespace {

// Refuses texts longer than the limit; the message is shown once the field
// has finished refusing, not from inside its edit.
class CStorableTextValidator final : public QValidator {
public:
    CStorableTextValidator(QLineEdit* edit, qint64 maxBytes)
        : QValidator(edit), edit_(edit), maxBytes_(maxBytes) {}

    State validate(QString& input, int&) const override {
        // No UTF-16 unit takes more than three bytes.
        if (input.size() <= maxBytes_ / 3 || Utf8Length(input) <= maxBytes_) {
            return Acceptable;
        }
        QTimer::singleShot(0, edit_, [edit = edit_, maxBytes = maxBytes_] {
            if (edit != nullptr) {
                QMessageBox::warning(
                    edit->window(), edit->window()->windowTitle(),
                    QStringLiteral("The text is too long for this field: it can hold at most "
                                   "%L1 bytes. The field was left as it was.")
                        .arg(maxBytes));
            }
        });
        return Invalid;
    }

private:
    QPointer<QLineEdit> edit_;
    qint64 maxBytes_;
};

}  // namespace

qint64 Utf8Length(const QString& text) {
    qint64 bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            bytes += 1;
        } else if (unit < 0x800) {
            bytes += 2;
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            bytes += 4;
            ++i;
        } else {
            bytes += 3;
        }
    }
    return bytes;
}

void MakeStorableLineText(QLineEdit* edit, qint64 maxBytes) {
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setValidator(new CStorableTextValidator(edit, maxBytes));
}

}  // namespace plexion
