#include "app/cli/encoders_verb.h"

#include "app/cli/movie_input.h"
#include "app/media/com_apartment.h"
#include "app/media/encoders.h"

namespace qucap {

int encodersVerb(const std::vector<std::u16string>&, CliContext& context) {
    const ComApartment com;
    if (!com.ready()) {
        context.ui.warn(kRenderingFailed, Deliverable::Program);
        return kExitFailed;
    }
    context.out.write(encoderListText(buildEncoderTables()));
    return kExitSuccess;
}

}  // namespace qucap
