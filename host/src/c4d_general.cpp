#include "c4d_general.h"

#include "c4d_console.h"
#include "c4d_resource.h"
#include "host_events.h"
#include "resources.h"

namespace {

Filename& pluginPath() {
    static Filename path;
    return path;
}

host::Events& events() {
    static host::Events e;
    return e;
}

} // namespace

namespace host {

void SetPluginPath(const Filename& path) {
    pluginPath() = path;
}

const Events& RecordedEvents() {
    return events();
}

void ResetEvents() {
    events() = Events();
}

} // namespace host

Filename GeGetPluginPath() {
    return pluginPath();
}

Filename GeGetPluginResourcePath() {
    return GeGetPluginPath().Content() ? GeGetPluginPath() + Filename("res") : Filename();
}

Bool GeOpenHTML(const String& url) {
    if (url.IsEmpty())
        return false;
    events().openedUrls.push_back(url);
    return true;
}

void EventAdd(EVENT flags) {
    (void)flags;
    ++events().eventAdds;
}

Bool DrawViews(Int32 flags, BaseDraw* bd) {
    (void)flags;
    (void)bd;
    ++events().redraws;
    return true;
}

void CallCommand(Int32 id, Int32 subid) {
    events().commands.emplace_back(id, subid);
}

// ---- Resources ----------------------------------------------------------------------------

GeResource g_resource;

Bool GeResource::Init() {
    return Init(GeGetPluginResourcePath());
}

Bool GeResource::Init(const Filename& path) {
    std::string error;
    loaded_ = host::LoadResourceFolder(path.GetString().GetStdString(), error);
    if (!loaded_)
        GePrint(String(error));
    return loaded_;
}

String GeLoadString(Int32 id) {
    const String* s = host::FindResourceString(id);
    return s ? *s : String();
}
