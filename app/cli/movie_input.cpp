#include "app/cli/movie_input.h"

#include "app/media/com_apartment.h"
#include "app/media/movie_facts.h"

namespace qucap {

std::optional<BoxMovie> readInputMovie(CliContext& context, std::u16string_view moviePath) {
    if (!context.io.files.isFile(moviePath)) {
        context.ui.warn(kInputMovieMissing, Deliverable::Program);
        return std::nullopt;
    }
    const ComApartment com;
    const std::optional<MovieFacts> facts = com.ready() ? readMovieFacts(moviePath) : std::nullopt;
    if (!facts) {
        context.ui.warn(kRenderingFailed, Deliverable::Program);
        return std::nullopt;
    }
    return BoxMovie{facts->frameDuration, facts->width};
}

}  // namespace qucap
