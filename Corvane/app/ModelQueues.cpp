#include "app/ModelQueues.h"

#include "support/SerialQueue.h"

namespace corvane {

std::shared_ptr<AppModel> makeModelWithQueues(AppModel::Services services, std::shared_ptr<MainExecutor> main,
                                              std::shared_ptr<PreferenceStore> prefs, std::shared_ptr<Executor> pool) {
    services.prefs = std::move(prefs);
    services.main = std::move(main);
    services.queue = std::make_shared<SerialQueue>("corvane.sampling");
    services.diskQueue = std::make_shared<SerialQueue>("corvane.disk");
    services.userInitiated = std::move(pool);
    return AppModel::create(std::move(services));
}

} // namespace corvane
