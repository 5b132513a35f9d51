#include "FilterLibrary.h"

extern "C" {
#include <libavfilter/version.h>
}

#include <dlfcn.h>

#include <string>

namespace media {

namespace {

#define MEDIA_STRINGIFY_(x) #x
#define MEDIA_STRINGIFY(x) MEDIA_STRINGIFY_(x)
// The same major version as the headers: its functions have the signatures declared there.
constexpr char soname[] = "libavfilter.so." MEDIA_STRINGIFY(LIBAVFILTER_VERSION_MAJOR);

template <typename Function> bool find(void* library, char const* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

FilterLibrary const* load() {
    // Kept for the life of the process: filter graphs may outlive any one user.
    void* library = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    static FilterLibrary functions;
    bool const complete = find(library, "avfilter_graph_alloc", functions.graph_alloc) &&
                          find(library, "avfilter_graph_free", functions.graph_free) &&
                          find(library, "avfilter_get_by_name", functions.get_by_name) &&
                          find(library, "avfilter_graph_create_filter", functions.graph_create_filter) &&
                          find(library, "avfilter_inout_alloc", functions.inout_alloc) &&
                          find(library, "avfilter_inout_free", functions.inout_free) &&
                          find(library, "avfilter_graph_parse_ptr", functions.graph_parse_ptr) &&
                          find(library, "avfilter_graph_config", functions.graph_config) &&
                          find(library, "av_buffersrc_add_frame", functions.buffersrc_add_frame) &&
                          find(library, "av_buffersink_get_frame", functions.buffersink_get_frame);
    return complete ? &functions : nullptr;
}

} // namespace

FilterLibrary const* filter_library() {
    static FilterLibrary const* const library = load();
    return library;
}

} // namespace media
