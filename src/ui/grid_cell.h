#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>

#include "interface_colors.h"

class QFontMetrics;
class QPainter;
class QWidget;

namespace plexion {

class CGridSheet;
class CGridTextMeasurer;
struct CGridCellLook;

// The value types of a grid cell; the numbers are the codes the panels know
// them by.
enum class GridCellType : std::int32_t {
    Empty = 0,
    Text = 1,
    MultiLineText = 2,
    Integer = 3,
    Real = 4,
    YesNo = 5,
    Color = 6,
    ColumnNumber = 7,
    RowNumber = 8,
    ListChoice = 9,
};

// A colour cell's value: the colour (red in the low byte) and its alpha.
struct CGridColor {
    ColorRef color = 0;
    std::uint8_t alpha = 255;

    friend bool operator==(const CGridColor&, const CGridColor&) = default;
};

// Room for the text of a cell that does not keep its value as a string.
struct CCellTextBuffer {
    std::array<char16_t, 24> digits{};
    QString text;
};

// One typed value of a grid sheet. Every value can be read as any type and
// set from any type; a setter that the type cannot take returns false and
// leaves the value as it was.
class CGridCell {
public:
    // A list choice cell refers to a list it does not own; the list must
    // outlive the cell.
    bool SetList(const QStringList* list, std::int32_t index);
    const QStringList* GetList() const;

    void SetEditable(bool editable) { editable_ = editable; }
    bool GetEditable() const { return editable_; }

    // The number a column or row number cell shows at (column, row): the
    // index plus the cell's offset, signed outside the fixed cells.
    QString HeaderText(const CGridSheet& sheet, int column, int row) const;
    // What the cell shows at (column, row) of `sheet`.
    QString DisplayText(const CGridSheet& sheet, int column, int row) const;
    // The same without a new string for text and number cells: a view of
    // the cell's own text or of `buffer`, valid while both stay as they are.
    // A search over every cell of a large sheet reads them this way.
    QStringView DisplayTextView(const CGridSheet& sheet, int column, int row,
                                CCellTextBuffer& buffer) const;

    // The size the cell needs at zoom 1 to show its text at (column, row).
    // Remembered until the value changes, except for the number cells whose
    // text depends on where they stand.
    QSize Measure(CGridTextMeasurer& measurer, const CGridSheet& sheet, int column, int row) const;

    bool GetBool() const;
    bool SetBool(bool value);
    std::optional<CGridColor> GetColor() const;
    bool SetColor(ColorRef color, std::uint8_t alpha = 255);
    std::int32_t GetHighlight() const { return highlight_; }
    void SetHighlight(std::int32_t level) { highlight_ = level; }

    // Edits the value in a dialog, a menu or in place (yes/no). `typed` is the
    // character that started the edit, empty when Return did;
    // `displayText` is what the cell shows; `cellRect` is the cell in
    // `parent`'s coordinates. Returns whether the value changed.
    bool EditCell(QWidget* parent, const QRect& cellRect, const QString& displayText,
                  const QString& typed);

    double GetDouble() const;
    std::int32_t GetInt() const;
    bool SetDouble(double value);
    bool SetInt(std::int32_t value);
    void SetType(GridCellType type);
    GridCellType GetType() const { return type_; }
    void Draw(QPainter& painter, const QRect& rect, const CGridCellLook& look,
              const QString& displayText) const;
    bool SetText(const QString& text);
    // The display text of every type; column and row number cells show their
    // signed offset here, their position-dependent text is HeaderText.
    QString GetText() const;
    // The same as a view: of the text of a text cell, of `room` otherwise.
    QStringView GetTextView(QString& room) const;
    // The text of a text cell, null for other types; the second is for
    // changing it in place and forgets the measured size.
    const QString* Text() const { return std::get_if<QString>(&value_); }
    QString* EditableText() {
        Changed();
        return std::get_if<QString>(&value_);
    }

private:
    struct CList {
        const QStringList* list = nullptr;
        std::int32_t index = 0;
    };
    using Value =
        std::variant<std::monostate, QString, std::int32_t, double, bool, CGridColor, CList>;

    bool IsIntLike() const;
    // The number a column or row number cell shows at (column, row), and
    // whether it carries a sign.
    std::int64_t HeaderNumber(const CGridSheet& sheet, int column, int row, bool& sign) const;
    void Changed() { measured_ = QSize(); }

    std::int32_t highlight_ = 0;
    bool editable_ = false;
    Value value_;
    GridCellType type_ = GridCellType::Empty;
    mutable QSize measured_;
};

// A cell's text as it is drawn in `width` pixels: whole when it fits,
// otherwise cut with an ellipsis (each line of a multi-line text on its
// own), so a cut value never reads as another one.
QString FittedCellText(const QFontMetrics& metrics, const QString& text, int width,
                       bool multiLine);

}  // namespace plexion
