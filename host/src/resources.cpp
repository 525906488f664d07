#include "resources.h"

namespace host {

const Description* FindDescriptionResource(const String& name) {
    (void)name;
    return nullptr;
}

} // namespace host
