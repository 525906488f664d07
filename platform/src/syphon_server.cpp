// Syphon servers and the process-wide directory clients find them in.
#include "syphon_server.h"
#include "gl_state.h"
#include "syphon_directory.h"

#include <algorithm>
#include <mutex>

struct SyphonServerRecord {
    std::mutex mutex; // guards the members below; taken after the directory's
    SyphonServerDescription description;
    bool running = true;
};

namespace {

struct Directory {
    std::mutex mutex;
    std::vector<std::shared_ptr<SyphonServerRecord>> servers; // running, oldest first
};

// Never destroyed: a server may stop while the process's statics are being torn down.
Directory& directory() {
    static Directory* d = new Directory;
    return *d;
}

std::shared_ptr<SyphonServerRecord> findRecord(std::string_view name,
                                               SyphonServerDescription* description) {
    Directory& d = directory();
    std::lock_guard<std::mutex> guard(d.mutex);
    for (const auto& record : d.servers) {
        std::lock_guard<std::mutex> recordGuard(record->mutex);
        if (record->description.name == name) {
            *description = record->description;
            return record;
        }
    }
    return nullptr;
}

} // namespace

std::unique_ptr<SyphonServer> SyphonServer::create(const std::string& name, CGLContextObj context,
                                                   const SyphonServerOptions* options) {
    if (!context)
        return nullptr;
    auto record = std::make_shared<SyphonServerRecord>();
    record->description.name = name;
    if (options)
        record->description.options = *options;
    record->description.context = context;
    Directory& d = directory();
    {
        std::lock_guard<std::mutex> guard(d.mutex);
        d.servers.push_back(record);
    }
    return std::unique_ptr<SyphonServer>(new SyphonServer(std::move(record)));
}

SyphonServer::SyphonServer(std::shared_ptr<SyphonServerRecord> record)
    : record_(std::move(record)) {}

SyphonServer::~SyphonServer() {
    stop();
}

void SyphonServer::setName(const std::string& name) {
    std::lock_guard<std::mutex> guard(record_->mutex);
    record_->description.name = name;
}

std::string SyphonServer::name() const {
    std::lock_guard<std::mutex> guard(record_->mutex);
    return record_->description.name;
}

void SyphonServer::publishFrameTexture(GLuint texture, GLenum target, NSRect region,
                                       NSSize dimensions, bool flipped) {
    std::lock_guard<std::mutex> guard(record_->mutex);
    if (!record_->running)
        return;
    SyphonServerDescription& d = record_->description;
    ++d.frameCount;
    d.texture = texture;
    d.target = target;
    d.region = region;
    d.dimensions = dimensions;
    d.flipped = flipped;
}

void SyphonServer::stop() {
    Directory& d = directory();
    std::lock_guard<std::mutex> guard(d.mutex);
    std::erase(d.servers, record_);
    std::lock_guard<std::mutex> recordGuard(record_->mutex);
    record_->running = false;
}

std::vector<std::string> SyphonDirectory::serverNames() {
    Directory& d = directory();
    std::lock_guard<std::mutex> guard(d.mutex);
    std::vector<std::string> names;
    for (const auto& record : d.servers) {
        std::lock_guard<std::mutex> recordGuard(record->mutex);
        names.push_back(record->description.name);
    }
    return names;
}

std::optional<SyphonServerDescription> SyphonDirectory::find(std::string_view name) {
    SyphonServerDescription description;
    if (!findRecord(name, &description))
        return std::nullopt;
    return description;
}

std::optional<SyphonFrame> SyphonDirectory::receiveFrame(std::string_view name) {
    SyphonServerDescription d;
    if (!findRecord(name, &d) || d.frameCount == 0)
        return std::nullopt;
    SyphonFrame frame;
    frame.region = d.region;
    frame.dimensions = d.dimensions;
    frame.flipped = d.flipped;
    // The texture is read live, as a client of the shared surface would see it.
    CGLLockContext(d.context);
    auto it = d.context->textures.find(d.texture);
    if (it != d.context->textures.end() && it->second.target == d.target) {
        frame.width = it->second.width;
        frame.height = it->second.height;
        frame.channels = it->second.channels;
        frame.pixels = it->second.texels;
    }
    CGLUnlockContext(d.context);
    return frame;
}
