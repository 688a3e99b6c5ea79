#include "platform/desktop.h"
#include "platform/qt/qt_backend.h"
#include "platform/qt/qt_os.h"

namespace quorvane {

Desktop CreateDesktop()
{
    // The application comes first: the services watch its screens.
    auto backend = std::make_unique<qt::QtBackend>();
    return {std::move(backend), std::make_unique<QtOs>()};
}

}  // namespace quorvane
