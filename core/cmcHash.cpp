#include "core/cmcHash.h"

#include <QString>

#include "platform/Fatal.h"

namespace core {

void HashOverlapFailure(const char* message) { platform::Fatal(QString::fromLatin1(message)); }

}  // namespace core
