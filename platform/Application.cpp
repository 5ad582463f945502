// Application -- the one application object.
#include "platform/Application.h"

namespace Platform {

TApplication Application;

}  // namespace Platform
