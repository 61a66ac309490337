#pragma once

#include <QString>

namespace store {

// The text of a value written to a tag, as the operation log shows it after
// "設定": the shortest decimal text of the single-precision value with at most
// 7 significant digits, without a decimal point when the value is whole
// (1.5 → "1.5", 20 → "20", 22.5 → "22.5", 0.1f → "0.1").
QString setValueText(float value);

} // namespace store
