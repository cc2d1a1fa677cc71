#include "filter/core/compose/layout_cache.h"

namespace qucap {
namespace {

bool sameRow(const CaptionRow& a, const CaptionRow& b) {
    return a.number == b.number && a.start == b.start && a.duration == b.duration &&
           a.orientation == b.orientation && a.texts == b.texts && a.positions == b.positions && a.lock == b.lock;
}

}  // namespace

bool LayoutCache::matches(const Key& key) const {
    return key_ && key_->rowIndex == key.rowIndex && key_->layoutSize == key.layoutSize &&
           key_->drawn == key.drawn && key_->before == key.before && sameRow(key_->row, key.row);
}

const LaidOutRow& LayoutCache::layoutFor(CaptionLayouter& layouter, int rowIndex, const CaptionRow& row,
                                         const ColourTable& colours, const BorderSettings& border,
                                         FrameSize layoutSize, FrameSize drawn) {
    Key key{rowIndex, row, layouter.carry(), layoutSize, drawn};
    if (matches(key)) {
        layouter.restore(after_);
        return laidOut_;
    }
    key_.reset();  // nothing half-made is ever reused
    layouter.layoutRow(row, colours, layoutSize.width, layoutSize.height, laidOut_.layout);
    laidOut_.plate.build(laidOut_.layout, border, drawn.width, drawn.height);
    after_ = layouter.carry();
    key_ = std::move(key);
    return laidOut_;
}

void LayoutCache::clear() {
    key_.reset();
    laidOut_ = LaidOutRow{};
}

}  // namespace qucap
