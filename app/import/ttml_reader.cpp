#include "app/import/readers.h"

namespace qucap {

ImportedCaptions readTtml(std::u16string_view) {
    ImportedCaptions captions;
    captions.failure = u"この形式はまだ読み込めません";
    return captions;
}

}  // namespace qucap
