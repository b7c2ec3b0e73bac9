#include "apps/SystemAppOpener.h"

#include "apps/HostApplications.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <memory>

namespace corvane {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfoRef = std::unique_ptr<GDesktopAppInfo, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

/// The first installed application among the desktop IDs standing for `bundleID`.
AppInfoRef findApplication(const std::string& bundleID) {
    for (const std::string& id : HostApplications::launchIDs(bundleID)) {
        if (GDesktopAppInfo* info = g_desktop_app_info_new((id + ".desktop").c_str())) return AppInfoRef(info);
    }
    return nullptr;
}

class GioAppOpener final : public AppOpening {
public:
    void open(const std::string& url, const std::string& bundleID, Completion completion) override {
        const AppInfoRef app = findApplication(bundleID);
        if (!app) return completion(false);
        GList uris{const_cast<char*>(url.c_str()), nullptr, nullptr};
        GError* raw = nullptr;
        const bool launched = g_app_info_launch_uris(G_APP_INFO(app.get()), &uris, nullptr, &raw) != FALSE;
        std::unique_ptr<GError, GErrorFree> error(raw);
        completion(launched);
    }

    void activate(const std::string& bundleID, Completion completion) override {
        // Launching a single-instance desktop application raises its running window.
        const AppInfoRef app = findApplication(bundleID);
        if (!app) return completion(false);
        GError* raw = nullptr;
        const bool launched = g_app_info_launch(G_APP_INFO(app.get()), nullptr, nullptr, &raw) != FALSE;
        std::unique_ptr<GError, GErrorFree> error(raw);
        completion(launched);
    }
};

} // namespace

std::shared_ptr<AppOpening> makeSystemAppOpener() {
    return std::make_shared<GioAppOpener>();
}

} // namespace corvane
