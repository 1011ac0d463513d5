#include "grid_cell.h"

#include <charconv>

#include "grid_number_text.h"
#include "grid_sheet.h"

namespace plexion {
namespace {

constexpr ColorRef kColorMask = 0xFFFFFF;
constexpr ColorRef kWhite = 0xFFFFFF;

// Colour values hold 24 bits; whatever a number carries above them is dropped.
ColorRef ColorFromInt(std::int32_t value) {
    return static_cast<ColorRef>(value) & kColorMask;
}

// "%+d" without the cost of parsing a format: sheets format a lot of them.
QString SignedText(std::int64_t value) {
    QString text = QString::number(value);
    if (value >= 0) {
        text.prepend(u'+');
    }
    return text;
}

// The decimal text of `value` in `buffer`, with "+" before values from 0
// up when `sign`, as SignedText and QString::number write it.
QStringView NumberView(std::int64_t value, bool sign, CCellTextBuffer& buffer) {
    std::array<char, 24> digits{};
    const char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    char16_t* out = buffer.digits.data();
    if (sign && value >= 0) {
        *out++ = u'+';
    }
    for (const char* digit = digits.data(); digit != end; ++digit) {
        *out++ = static_cast<char16_t>(*digit);
    }
    return QStringView(buffer.digits.data(), out - buffer.digits.data());
}

bool StartsWithNo(const QString& text) {
    return !text.isEmpty() && (text[0] == u'N' || text[0] == u'n');
}

}  // namespace

bool CGridCell::IsIntLike() const {
    return type_ == GridCellType::Integer || type_ == GridCellType::ColumnNumber ||
           type_ == GridCellType::RowNumber;
}

void CGridCell::SetType(GridCellType type) {
    if (type == type_) {
        return;
    }
    type_ = type;
    switch (type) {
        case GridCellType::Empty:
            value_ = std::monostate{};
            break;
        case GridCellType::Text:
        case GridCellType::MultiLineText:
            value_ = QString();
            break;
        case GridCellType::Integer:
        case GridCellType::ColumnNumber:
        case GridCellType::RowNumber:
            value_ = std::int32_t{0};
            break;
        case GridCellType::Real:
            value_ = 0.0;
            break;
        case GridCellType::YesNo:
            value_ = false;
            break;
        case GridCellType::Color:
            value_ = CGridColor{};
            break;
        case GridCellType::ListChoice:
            value_ = CList{};
            break;
    }
    Changed();
}

bool CGridCell::SetList(const QStringList* list, std::int32_t index) {
    auto* value = std::get_if<CList>(&value_);
    if (value == nullptr) {
        return false;
    }
    *value = CList{list, index};
    Changed();
    return true;
}

const QStringList* CGridCell::GetList() const {
    const auto* value = std::get_if<CList>(&value_);
    return value != nullptr ? value->list : nullptr;
}

std::int32_t CGridCell::GetInt() const {
    if (const auto* text = std::get_if<QString>(&value_)) {
        return DecimalPrefixInt(*text);
    }
    if (const auto* number = std::get_if<std::int32_t>(&value_)) {
        return *number;
    }
    if (const auto* real = std::get_if<double>(&value_)) {
        return TruncateToInt(*real);
    }
    if (const auto* yes = std::get_if<bool>(&value_)) {
        return *yes ? 1 : 0;
    }
    if (const auto* color = std::get_if<CGridColor>(&value_)) {
        return static_cast<std::int32_t>(color->color);
    }
    if (const auto* list = std::get_if<CList>(&value_)) {
        return list->index;
    }
    return 0;
}

double CGridCell::GetDouble() const {
    if (const auto* text = std::get_if<QString>(&value_)) {
        return DecimalPrefixReal(*text);
    }
    if (const auto* real = std::get_if<double>(&value_)) {
        return *real;
    }
    if (const auto* yes = std::get_if<bool>(&value_)) {
        return *yes ? 1.0 : 0.0;
    }
    return GetInt();
}

bool CGridCell::GetBool() const {
    if (const auto* text = std::get_if<QString>(&value_)) {
        return !StartsWithNo(*text);
    }
    if (const auto* number = std::get_if<std::int32_t>(&value_)) {
        return *number > 0;
    }
    if (const auto* real = std::get_if<double>(&value_)) {
        return *real > 0;
    }
    if (const auto* yes = std::get_if<bool>(&value_)) {
        return *yes;
    }
    if (const auto* color = std::get_if<CGridColor>(&value_)) {
        return color->color != 0;
    }
    if (const auto* list = std::get_if<CList>(&value_)) {
        return list->index != 0;
    }
    return false;
}

std::optional<CGridColor> CGridCell::GetColor() const {
    if (const auto* color = std::get_if<CGridColor>(&value_)) {
        return *color;
    }
    return std::nullopt;
}

bool CGridCell::SetInt(std::int32_t value) {
    if (auto* text = std::get_if<QString>(&value_)) {
        *text = SignedText(value);
    } else if (auto* number = std::get_if<std::int32_t>(&value_)) {
        *number = value;
    } else if (auto* real = std::get_if<double>(&value_)) {
        *real = value;
    } else if (auto* yes = std::get_if<bool>(&value_)) {
        *yes = value > 0;
    } else if (auto* color = std::get_if<CGridColor>(&value_)) {
        color->color = ColorFromInt(value);
    } else if (auto* list = std::get_if<CList>(&value_)) {
        list->index = value;
    } else {
        return false;
    }
    Changed();
    return true;
}

bool CGridCell::SetDouble(double value) {
    if (auto* text = std::get_if<QString>(&value_)) {
        *text = QString::asprintf("%+g", value);
    } else if (auto* real = std::get_if<double>(&value_)) {
        *real = value;
    } else if (auto* yes = std::get_if<bool>(&value_)) {
        *yes = value > 0;
    } else {
        return SetInt(TruncateToInt(value));
    }
    Changed();
    return true;
}

bool CGridCell::SetBool(bool value) {
    if (auto* text = std::get_if<QString>(&value_)) {
        *text = value ? QStringLiteral("Yes") : QStringLiteral("No");
    } else if (auto* yes = std::get_if<bool>(&value_)) {
        *yes = value;
    } else if (auto* color = std::get_if<CGridColor>(&value_)) {
        color->color = value ? kWhite : 0;
    } else {
        return SetInt(value ? 1 : 0);
    }
    Changed();
    return true;
}

bool CGridCell::SetColor(ColorRef color, std::uint8_t alpha) {
    color &= kColorMask;
    if (auto* text = std::get_if<QString>(&value_)) {
        *text = QString::asprintf("%.8X", color);
    } else if (auto* number = std::get_if<std::int32_t>(&value_)) {
        *number = static_cast<std::int32_t>(color);
    } else if (auto* real = std::get_if<double>(&value_)) {
        *real = color;
    } else if (auto* yes = std::get_if<bool>(&value_)) {
        *yes = color != 0;
    } else if (auto* value = std::get_if<CGridColor>(&value_)) {
        *value = CGridColor{color, alpha};
    } else {
        return false;
    }
    Changed();
    return true;
}

bool CGridCell::SetText(const QString& text) {
    if (auto* value = std::get_if<QString>(&value_)) {
        *value = text;
    } else if (auto* number = std::get_if<std::int32_t>(&value_)) {
        *number = DecimalPrefixInt(text);
    } else if (auto* real = std::get_if<double>(&value_)) {
        *real = DecimalPrefixReal(text);
    } else if (auto* yes = std::get_if<bool>(&value_)) {
        *yes = !StartsWithNo(text);
    } else if (auto* color = std::get_if<CGridColor>(&value_)) {
        color->color = ColorFromInt(DecimalPrefixInt(text));
    } else if (auto* list = std::get_if<CList>(&value_)) {
        const qsizetype index = list->list != nullptr ? list->list->indexOf(text) : -1;
        if (index < 0) {
            return false;
        }
        list->index = static_cast<std::int32_t>(index);
    } else {
        return false;
    }
    Changed();
    return true;
}

QStringView CGridCell::GetTextView(QString& room) const {
    if (const QString* text = Text()) {
        return *text;
    }
    room = GetText();
    return room;
}

QString CGridCell::GetText() const {
    switch (type_) {
        case GridCellType::Empty:
            return QString();
        case GridCellType::Text:
        case GridCellType::MultiLineText:
            return std::get<QString>(value_);
        case GridCellType::Integer:
        case GridCellType::ColumnNumber:
        case GridCellType::RowNumber:
            return SignedText(std::get<std::int32_t>(value_));
        case GridCellType::Real:
            return QString::asprintf("%+g", std::get<double>(value_));
        case GridCellType::YesNo:
            return std::get<bool>(value_) ? QStringLiteral("Yes") : QStringLiteral("No");
        case GridCellType::Color: {
            const CGridColor color = std::get<CGridColor>(value_);
            return QString::asprintf("(%.2X)  %.2X %.2X %.2X", unsigned{color.alpha},
                                     unsigned(RedOf(color.color)), unsigned(GreenOf(color.color)),
                                     unsigned(BlueOf(color.color)));
        }
        case GridCellType::ListChoice: {
            // An index outside the list (or no list at all) shows nothing
            // rather than reading past the list.
            const CList list = std::get<CList>(value_);
            if (list.list == nullptr || list.index < 0 || list.index >= list.list->size()) {
                return QString();
            }
            return list.list->at(list.index);
        }
    }
    return QString();
}

std::int64_t CGridCell::HeaderNumber(const CGridSheet& sheet, int column, int row,
                                     bool& sign) const {
    const std::int64_t index = type_ == GridCellType::ColumnNumber ? column : row;
    sign = !sheet.IsFixedCell(column, row);
    return index + GetInt();
}

QString CGridCell::HeaderText(const CGridSheet& sheet, int column, int row) const {
    bool sign = false;
    const std::int64_t number = HeaderNumber(sheet, column, row, sign);
    return sign ? SignedText(number) : QString::number(number);
}

QString CGridCell::DisplayText(const CGridSheet& sheet, int column, int row) const {
    if (type_ == GridCellType::ColumnNumber || type_ == GridCellType::RowNumber) {
        return HeaderText(sheet, column, row);
    }
    return GetText();
}

QStringView CGridCell::DisplayTextView(const CGridSheet& sheet, int column, int row,
                                       CCellTextBuffer& buffer) const {
    switch (type_) {
        case GridCellType::Text:
        case GridCellType::MultiLineText:
            return std::get<QString>(value_);
        case GridCellType::Integer:
            return NumberView(std::get<std::int32_t>(value_), true, buffer);
        case GridCellType::ColumnNumber:
        case GridCellType::RowNumber: {
            bool sign = false;
            const std::int64_t number = HeaderNumber(sheet, column, row, sign);
            return NumberView(number, sign, buffer);
        }
        default:
            buffer.text = GetText();
            return buffer.text;
    }
}

}  // namespace plexion
