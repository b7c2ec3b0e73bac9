#include "disk/FinderTrasher.h"

#include <gio/gio.h>

#include <memory>

namespace corvane {

namespace {

struct ObjectUnref {
    void operator()(gpointer object) const { ::g_object_unref(object); }
};
struct ErrorFree {
    void operator()(GError* error) const { ::g_error_free(error); }
};

} // namespace

bool FinderTrasher::trash(const std::string& path) {
    const std::unique_ptr<GFile, ObjectUnref> file(::g_file_new_for_path(path.c_str()));
    GError* rawError = nullptr;
    // g_file_trash writes the trash information file and moves within the volume; it fails
    // rather than copying across volumes, so success means the item left its place.
    const bool moved = ::g_file_trash(file.get(), nullptr, &rawError) != FALSE;
    const std::unique_ptr<GError, ErrorFree> error(rawError);
    return moved;
}

} // namespace corvane
