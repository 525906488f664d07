#include "c4d_basebitmap.h"
#include "c4d_basetag.h"
#include "c4d_console.h"
#include "c4d_description.h"
#include "c4d_general.h"
#include "c4d_resource.h"
#include "c4d_tagdata.h"
#include "host_events.h"
#include "resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const std::string fixtures = OVRIN_HOST_FIXTURES;

// A fresh folder under the test's temporary directory, removed afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
        : path_(fs::path(testing::TempDir()) / ("ovrin_" + name)) {
        fs::remove_all(path_);
        fs::create_directories(path_ / "description");
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string Write(const std::string& relative, const std::string& text) const {
        const fs::path p = path_ / relative;
        std::ofstream(p) << text;
        return p.string();
    }
    std::string Path() const { return path_.string(); }

private:
    fs::path path_;
};

class Resources : public testing::Test {
protected:
    void SetUp() override {
        host::ClearResources();
        ASSERT_TRUE(g_resource.Init(Filename(String(fixtures + "/res"))));
    }
    void TearDown() override { host::ClearResources(); }
};

TEST_F(Resources, StringTableEntriesLoadByIdAndMissingOnesAreEmpty) {
    EXPECT_EQ(GeLoadString(10000), String("Ovrin 360 Cam"));
    EXPECT_EQ(GeLoadString(10001), String("Ovrin Tag"));
    EXPECT_EQ(GeLoadString(10002), String());
}

TEST_F(Resources, DescriptionLoadsByNameWithTypesSymbolsGroupsAndProperties) {
    Description d;
    ASSERT_TRUE(d.LoadDescription(String("OvrinTag")));
    EXPECT_EQ(d.GetName(), String("OvrinTag"));
    EXPECT_EQ(d.GetCount(), 13);
    EXPECT_EQ(d.GetEntry(0).id[0].id, 1001); // file order is kept

    struct Case {
        const char* symbol;
        Int32 id;
        Int32 dtype;
        Int32 parent;
    } cases[] = {
        {"OVRINTAG_ENABLED", 1000, DTYPE_BOOL, 0},
        {"OVRINTAG_PROJECTION", 1006, DTYPE_LONG, 0},
        {"OVRINTAG_DOME_GROUP", 1007, DTYPE_GROUP, 0},
        {"OVRINTAG_DOME_FOV", 1008, DTYPE_REAL, 1007},
        {"OVRINTAG_DOME_RENDER_SETTINGS", 1009, DTYPE_BUTTON, 1007},
        {"OVRINTAG_SEPARATION_MAP_PREVIEW", 1036, CUSTOMDATATYPE_BITMAPBUTTON, 0},
        {"OVRINTAG_SEPARATION_MAP_SHADER", 1037, DTYPE_BASELISTLINK, 0},
        {"OVRINTAG_STEREO_PREVIEW_PAD", 1053, DTYPE_VECTOR, 0},
        {"EXPRESSION_PRIORITY", 1000998, CUSTOMDATATYPE_PRIORITY, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.symbol);
        const Description::Entry* e = d.FindSymbol(c.symbol);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->id[0].id, c.id);
        EXPECT_EQ(e->dtype, c.dtype);
        EXPECT_EQ(e->properties.GetInt32(DESC_PARENTGROUP), c.parent);
        EXPECT_EQ(d.FindEntry(c.id), e);
    }
    const BaseContainer* fov = d.GetParameterI(DescID(1008));
    ASSERT_NE(fov, nullptr);
    EXPECT_EQ(fov->GetString(DESC_NAME), String("Field of View"));
    EXPECT_EQ(fov->GetInt32(DESC_UNIT), Int32(DESC_UNIT_DEGREE));
    EXPECT_EQ(fov->GetFloat(DESC_MAX), 360.0);
    EXPECT_EQ(d.GetParameterI(DescID(1007))->GetInt32(DESC_DEFAULT), -1);
    EXPECT_TRUE(d.GetParameterI(DescID(1042))->GetBool(DESC_HIDE));
    EXPECT_EQ(d.GetParameterI(DescID(1053))->GetInt32(DESC_CUSTOMGUI), 1036905);
    EXPECT_EQ(d.GetParameterI(DescID(4242)), nullptr);
    const Description::Entry* proj = d.FindEntry(1006);
    ASSERT_EQ(proj->cycle.size(), 4u);
    EXPECT_EQ(proj->cycle[3].value, 3);
    EXPECT_EQ(proj->cycle[3].symbol, String("OVRINTAG_PROJECTION_CUBEMAP"));
    EXPECT_EQ(proj->cycle[3].label, String("Cubemap"));

    // A hook's edit of an entry stays in its copy of the description.
    d.GetParameterI(DescID(1007))->SetBool(DESC_HIDE, true);
    Description again;
    ASSERT_TRUE(again.LoadDescription(String("OvrinTag")));
    EXPECT_FALSE(again.GetParameterI(DescID(1007))->GetBool(DESC_HIDE));
    EXPECT_FALSE(again.LoadDescription(String("NoSuchDescription")));
}

class PlainTag : public TagData {
public:
    static NodeData* Alloc() { return new PlainTag(); }
};

TEST_F(Resources, ANodeWithoutItsOwnDescriptionHookGetsItsRegisteredResource) {
    ASSERT_TRUE(RegisterTagPlugin(1990201, "Plain", 0, PlainTag::Alloc, "Ovrin360Cam", nullptr, 0));
    Description byType;
    EXPECT_TRUE(byType.LoadDescription(1990201));
    EXPECT_EQ(byType.GetName(), String("Ovrin360Cam"));
    BaseTag* tag = BaseTag::Alloc(1990201);
    ASSERT_NE(tag, nullptr);
    Description shown;
    EXPECT_TRUE(tag->GetDescription(&shown, DESCFLAGS_DESC_NONE));
    EXPECT_NE(shown.FindSymbol("OVRINVP_CUBEMAP_LAYOUT"), nullptr);
    BaseTag::Free(tag);
    Description none;
    EXPECT_FALSE(none.LoadDescription(Int32(1990299))); // no such plug-in
}

TEST_F(Resources, MalformedFilesGiveOneErrorNamingFilePlaceAndKey) {
    struct Case {
        const char* file;
        const char* text;
        const char* error; // after "<path>: "
    } cases[] = {
        {"strings.json", R"({"strings": {"10000": 5}})",
         "strings.10000: must be a string, not a whole number"},
        {"strings.json", R"({"strings": {"ten": "x"}})",
         "strings: key \"ten\" is not a string id number"},
        {"strings.json", R"({"text": {}})", "missing \"strings\""},
        {"strings.json", "{\"strings\": {\n  \"1\": \"a\",\n}}",
         "line 3, column 1: syntax error while parsing object key - unexpected '}'; expected "
         "string literal"},
        {"description/OvrinTag.json", R"({"entries": [{"id": 1, "type": "flaot"}]})",
         "entries[0]: unknown type \"flaot\""},
        {"description/OvrinTag.json",
         R"({"entries": [{"id": 1, "type": "group", "entries": [{"type": "bool"}]}]})",
         "entries[0].entries[0]: missing \"id\""},
        {"description/OvrinTag.json",
         R"({"entries": [{"id": 1, "type": "bool", "nmae": "Enabled"}]})",
         "entries[0]: unknown key \"nmae\""},
        {"description/OvrinTag.json",
         R"({"entries": [{"id": 1, "type": "bool"}, {"id": 1, "type": "float"}]})",
         "entries[1]: id 1 is used twice"},
        {"description/OvrinTag.json",
         R"({"entries": [{"id": 1, "type": "int", "cycle": [{"name": "x"}]}]})",
         "entries[0].cycle[0]: missing \"value\""},
        {"description/OvrinTag.json", R"({"entries": [{"id": "1000", "type": "bool"}]})",
         "entries[0]: \"id\" must be a whole number, not a string"},
        {"description/OvrinTag.json", R"({"description": "OvrinTags", "entries": []})",
         "\"description\" must be the file's name \"OvrinTag\""},
    };
    int checked = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TempFolder folder("bad_resources");
        const std::string path = folder.Write(c.file, c.text);
        host::ConsoleCapture console;
        EXPECT_FALSE(g_resource.Init(Filename(String(folder.Path()))));
        EXPECT_EQ(host::LastResourceError(), path + ": " + c.error);
        EXPECT_EQ(console.Lines(), std::vector<std::string>{path + ": " + c.error});
        // Nothing of the bad folder was taken; what was loaded before is still there.
        EXPECT_EQ(GeLoadString(10001), String("Ovrin Tag"));
        Description d;
        EXPECT_TRUE(d.LoadDescription(String("OvrinTag")));
        EXPECT_EQ(d.GetCount(), 13);
        ++checked;
    }
    EXPECT_EQ(checked, 11);
    host::ConsoleCapture console;
    EXPECT_FALSE(g_resource.Init(Filename("/no/such/folder")));
    EXPECT_EQ(host::LastResourceError(), "/no/such/folder: no such resource folder");
}

TEST(PluginFolders, ResourcePathIsThePluginFolderPlusRes) {
    host::SetPluginPath(Filename(String(fixtures)));
    EXPECT_EQ(GeGetPluginPath().GetString(), String(fixtures));
    EXPECT_EQ(GeGetPluginResourcePath().GetString(), String(fixtures + "/res"));
    host::ClearResources();
    EXPECT_TRUE(g_resource.Init()); // the plug-in's own folder
    EXPECT_EQ(GeLoadString(10000), String("Ovrin 360 Cam"));
    host::ClearResources();
    host::SetPluginPath(Filename());
    EXPECT_FALSE(GeGetPluginResourcePath().Content());
}

TEST(BaseBitmap, LoadsAnImageFileAndReportsMissingOrUnreadableOnes) {
    BaseBitmap* bmp = BaseBitmap::Alloc();
    ASSERT_EQ(bmp->Init(Filename(String(fixtures + "/pixels.ppm"))), IMAGERESULT_OK);
    EXPECT_EQ(bmp->GetBw(), 3);
    EXPECT_EQ(bmp->GetBh(), 2);
    struct Case {
        Int32 x, y;
        UInt16 r, g, b;
    } cases[] = {{0, 0, 255, 0, 0},     {1, 0, 0, 255, 0},     {2, 0, 0, 0, 255},
                 {0, 1, 255, 255, 255}, {1, 1, 128, 128, 128}, {2, 1, 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        UInt16 r = 1, g = 1, b = 1;
        bmp->GetPixel(c.x, c.y, &r, &g, &b);
        EXPECT_EQ(r, c.r);
        EXPECT_EQ(g, c.g);
        EXPECT_EQ(b, c.b);
        EXPECT_EQ(bmp->GetAlphaPixel(c.x, c.y), 255);
    }
    BaseBitmap* copy = bmp->GetClone();
    EXPECT_TRUE(*copy == *bmp);
    BaseBitmap::Free(copy);

    EXPECT_EQ(bmp->Init(Filename(String(fixtures + "/missing.png"))), IMAGERESULT_NOTEXISTING);
    EXPECT_TRUE(bmp->IsEmpty());
    EXPECT_EQ(bmp->Init(Filename(String(fixtures + "/res/strings.json"))), IMAGERESULT_WRONGTYPE);
    EXPECT_TRUE(bmp->IsEmpty());
    BaseBitmap::Free(bmp);
    EXPECT_EQ(bmp, nullptr);
}

TEST(BaseBitmap, PenLinesPaintBothEnds) {
    BaseBitmap bmp;
    ASSERT_EQ(bmp.Init(50, 50, 24), IMAGERESULT_OK);
    bmp.SetPen(255, 0, 0);
    for (Int32 y = 0; y < 50; ++y)
        bmp.Line(0, y, 49, y);
    int red = 0;
    for (Int32 y = 0; y < 50; ++y) {
        for (Int32 x = 0; x < 50; ++x) {
            UInt16 r, g, b;
            bmp.GetPixel(x, y, &r, &g, &b);
            red += (r == 255 && g == 0 && b == 0);
        }
    }
    EXPECT_EQ(red, 2500);
    BaseBitmap diagonal;
    ASSERT_EQ(diagonal.Init(4, 4, 24), IMAGERESULT_OK);
    diagonal.SetPen(0, 0, 255);
    diagonal.Line(3, 3, 0, 0);
    for (Int32 i = 0; i < 4; ++i) {
        UInt16 r, g, b;
        diagonal.GetPixel(i, i, &r, &g, &b);
        EXPECT_EQ(b, 255) << i;
        diagonal.GetPixel(i, (i + 1) % 4, &r, &g, &b);
        EXPECT_EQ(b, 0) << i;
    }
    EXPECT_EQ(bmp.Init(0, 10), IMAGERESULT_PARAM_ERROR);
}

TEST(HostEvents, OpenedPagesAndEventsAreRecorded) {
    host::ResetEvents();
    EXPECT_TRUE(GeOpenHTML("https://example.org/ovrin"));
    EXPECT_FALSE(GeOpenHTML(""));
    EventAdd();
    EventAdd();
    DrawViews(0x8000);
    CallCommand(12161);
    const host::Events& e = host::RecordedEvents();
    EXPECT_EQ(e.openedUrls, (std::vector<String>{"https://example.org/ovrin"}));
    EXPECT_EQ(e.eventAdds, 2);
    EXPECT_EQ(e.redraws, 1);
    ASSERT_EQ(e.commands.size(), 1u);
    EXPECT_EQ(e.commands[0], std::make_pair(Int32(12161), Int32(0)));
    host::ResetEvents();
    EXPECT_EQ(host::RecordedEvents().eventAdds, 0);
}

} // namespace
