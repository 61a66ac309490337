#pragma once

#include <QString>

#include <optional>

namespace masterio {

// The value of one worksheet cell as the workbook stores it.
struct XlsxCell
{
    enum class Kind { Empty, Number, Text, Boolean, Error };

    Kind kind = Kind::Empty;
    double number = 0;   // Number; Boolean as 1 or 0
    QString text;        // Text and Error ("#N/A"); Number as written in the file

    // True for an absent cell and for a text of blanks only.
    bool isBlank() const;
    // The cell as a spreadsheet shows it in a text: numbers in their shortest
    // form ("3", "22.5"), Booleans "TRUE"/"FALSE".
    QString displayText() const;
    // The cell as a number when it holds one: a number, a Boolean (TRUE = -1,
    // as the schedule database stores True) or a text that reads as a decimal
    // number.  Empty cells, other texts and errors are not numbers.
    std::optional<double> numeric() const;
};

} // namespace masterio
