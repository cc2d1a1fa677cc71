#pragma once
// The keys the property page writes back into the project file.
#include "captiondata/io/io.h"
#include "filter/core/propertypage/page_values.h"

namespace qucap {

// Writes InpCapName, MainName, RubyName, MainSize, RubySize, Layout Type, Fill,
// Side, TimeDisp Disp, Border Type, MainWidth, RubyWidth in this order into the
// project file named by the values, only when that file exists. The first write
// that fails stops the sequence with "confファイルの設定に失敗しました" under the
// filter's title and gives -1; the keys written before it stay. 0 otherwise.
int writePageSettings(const Io& io, const PageValues& values);

}  // namespace qucap
