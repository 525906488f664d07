#include "c4d_console.h"
#include "c4d_plugin.h"
#include "plugin_module.h"
#include "plugin_registry.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

const std::string pluginDir = OVRIN_TEST_PLUGIN_DIR;

TEST(PluginModule, BothEditionsLoadStartAndRegister) {
    for (const char* file : {"/Ovrin360Cam.so", "/ovrin360camr20.so"}) {
        SCOPED_TRACE(file);
        host::ClearPlugins(); // one edition per host: both register the same ids
        std::string error;
        auto module = host::PluginModule::Open(pluginDir + file, error);
        ASSERT_NE(module, nullptr) << error;
        host::ConsoleCapture console;
        ASSERT_TRUE(module->Start(error)) << error;
        EXPECT_EQ(module->Priority(), -1000000);
        ASSERT_FALSE(console.Lines().empty());
        EXPECT_EQ(console.Lines().front(), "--- Ovrin360Cam: Version 2.1 (003) is ready!");
        const host::PluginEntry* vp = host::FindPlugin(1033675, host::PluginKind::VideoPost);
        ASSERT_NE(vp, nullptr);
        EXPECT_EQ(vp->info, 32);
        EXPECT_EQ(vp->description, String("Ovrin360Cam"));
        const host::PluginEntry* tag = host::FindPlugin(1035138, host::PluginKind::Tag);
        ASSERT_NE(tag, nullptr);
        EXPECT_EQ(tag->info, 9);
        EXPECT_EQ(tag->description, String("OvrinTag"));
        EXPECT_NE(tag->icon, nullptr);
        EXPECT_EQ(module->Call(C4DPL_MESSAGE, reinterpret_cast<void*>(std::intptr_t(12345))), 0);
    }
}

TEST(PluginModule, ExportsOnlyTheEntry) {
    void* handle = dlopen((pluginDir + "/Ovrin360Cam.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    EXPECT_NE(dlsym(handle, "c4d_main"), nullptr);
    EXPECT_EQ(dlsym(handle, "_Z11PluginStartv"), nullptr);
    EXPECT_EQ(dlsym(handle, "_Z16texelToDome6Vec3IdEdb"), nullptr);
    dlclose(handle);
}

TEST(PluginModule, MissingFileOrEntryIsAnErrorNamingTheFile) {
    std::string error;
    EXPECT_EQ(host::PluginModule::Open(pluginDir + "/nope.so", error), nullptr);
    EXPECT_NE(error.find("nope.so"), std::string::npos) << error;
    error.clear();
    // A library without c4d_main.
    EXPECT_EQ(host::PluginModule::Open("libm.so.6", error), nullptr);
    EXPECT_NE(error.find("no c4d_main"), std::string::npos) << error;
}

} // namespace
