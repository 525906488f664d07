#include "c4d_basecontainer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(BaseContainer, MissingIdsReadTheirDefault) {
    const BaseContainer bc;
    EXPECT_EQ(bc.GetInt32(1000), 0);
    EXPECT_EQ(bc.GetInt32(1000, 7), 7);
    EXPECT_EQ(bc.GetFloat(1000, 2.5), 2.5);
    EXPECT_TRUE(bc.GetBool(1000, true));
    EXPECT_EQ(bc.GetVector(1000, {1, 2, 3}), Vector(1, 2, 3));
    EXPECT_EQ(bc.GetString(1000, "x"), String("x"));
    EXPECT_EQ(bc.GetDataPointer(1000), nullptr);
}

TEST(BaseContainer, StoresEachTypeAndOverwritesById) {
    BaseContainer bc;
    bc.SetFloat(30, 1.5);
    bc.SetInt32(10, 4);
    bc.SetBool(20, true);
    bc.SetVector(40, {1, 2, 3});
    bc.SetString(50, "dome");
    bc.SetInt32(10, 5);
    EXPECT_EQ(bc.GetCount(), 5);
    EXPECT_EQ(bc.GetInt32(10), 5);
    EXPECT_TRUE(bc.GetBool(20));
    EXPECT_EQ(bc.GetFloat(30), 1.5);
    EXPECT_EQ(bc.GetVector(40), Vector(1, 2, 3));
    EXPECT_EQ(bc.GetString(50), String("dome"));
    EXPECT_TRUE(bc.RemoveData(30));
    EXPECT_FALSE(bc.RemoveData(30));
    EXPECT_EQ(bc.GetFloat(30, -1.0), -1.0);
}

TEST(GeData, NumbersConvertAndOtherMismatchesReadZero) {
    struct Case {
        GeData data;
        Int32 asInt;
        Float asFloat;
        Int32 type;
    } cases[] = {
        {GeData(Int32(3)), 3, 3.0, DA_LONG},
        {GeData(true), 1, 1.0, DA_LONG},
        {GeData(2.9), 2, 2.9, DA_REAL},
        {GeData(-2.9), -2, -2.9, DA_REAL},
        {GeData(1e30), std::numeric_limits<Int32>::max(), 1e30, DA_REAL},
        {GeData(std::numeric_limits<Float>::quiet_NaN()), 0,
         std::numeric_limits<Float>::quiet_NaN(), DA_REAL},
        {GeData("7"), 0, 0.0, DA_STRING},
        {GeData(Vector(1, 2, 3)), 0, 0.0, DA_VECTOR},
        {GeData(), 0, 0.0, DA_NIL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(c.data.GetType(), c.type);
        EXPECT_EQ(c.data.GetInt32(), c.asInt);
        if (!std::isnan(c.asFloat)) {
            EXPECT_EQ(c.data.GetFloat(), c.asFloat);
        }
    }
    EXPECT_EQ(GeData(2.5).GetVector(), Vector());
    EXPECT_EQ(GeData(Int32(1)).GetString(), String());
}

TEST(BaseContainer, EveryValueKindReadsBackOrFallsBack) {
    BaseContainer bc;
    bc.SetFilename(1, Filename("res/header.png"));
    bc.SetTime(2, BaseTime(12.0, 25.0));
    bc.SetMatrix(3, MatrixMove({1, 2, 3}));
    EXPECT_EQ(bc.GetFilename(1), Filename("res/header.png"));
    EXPECT_EQ(bc.GetTime(2), BaseTime(12.0, 25.0));
    EXPECT_EQ(bc.GetMatrix(3).offset, Vector(1, 2, 3));
    EXPECT_EQ(bc.GetFilename(9, Filename("x")), Filename("x"));
    EXPECT_EQ(bc.GetTime(9), BaseTime(0.0, 1.0));
    // A value of another kind reads as that kind's zero, not as the fallback.
    EXPECT_EQ(bc.GetTime(1, BaseTime(5.0)), BaseTime());
    EXPECT_EQ(bc.GetFilename(2, Filename("x")), Filename());
    EXPECT_EQ(bc.GetData(2).GetType(), DA_TIME);
    EXPECT_EQ(bc.GetData(1).GetType(), DA_FILENAME);
    EXPECT_TRUE(bc.GetData(9).IsNil());
}

TEST(BaseContainer, CustomDataIsCopiedWithItsValueAndEditableInPlace) {
    PriorityData priority;
    priority.SetPriorityValue(PRIORITYVALUE_PRIORITY, GeData(Int32(7)));
    BaseContainer bc;
    bc.SetData(10, GeData(CUSTOMDATATYPE_PRIORITY, priority));
    EXPECT_EQ(bc.GetData(10).GetType(), CUSTOMDATATYPE_PRIORITY);
    EXPECT_EQ(bc.GetCustomDataType(10, CUSTOMDATATYPE_BITMAPBUTTON), nullptr);
    const BaseContainer before = bc;

    auto* pd = static_cast<PriorityData*>(bc.GetCustomDataType(10, CUSTOMDATATYPE_PRIORITY));
    ASSERT_NE(pd, nullptr);
    EXPECT_EQ(pd->GetPriorityValue(PRIORITYVALUE_PRIORITY).GetInt32(), 7);
    EXPECT_TRUE(pd->SetPriorityValue(PRIORITYVALUE_CAMERADEPENDENT, GeData(true)));
    EXPECT_FALSE(pd->SetPriorityValue(99, GeData(true)));
    EXPECT_TRUE(pd->GetPriorityValue(99).IsNil());

    // The edit changed bc's own copy only.
    EXPECT_FALSE(bc == before);
    const auto* old =
        static_cast<const PriorityData*>(before.GetCustomDataType(10, CUSTOMDATATYPE_PRIORITY));
    EXPECT_FALSE(old->GetPriorityValue(PRIORITYVALUE_CAMERADEPENDENT).GetBool());

    const BitmapButtonStruct bbs(nullptr, DescID(1036), 0);
    const GeData button(CUSTOMDATATYPE_BITMAPBUTTON, bbs);
    const auto* b = static_cast<const BitmapButtonStruct*>(
        button.GetCustomDataType(CUSTOMDATATYPE_BITMAPBUTTON));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->id[0].id, 1036);
    EXPECT_EQ(button.GetType(), CUSTOMDATATYPE_BITMAPBUTTON);
}

TEST(BaseContainer, MergeAddsAndReplacesWhileCopyIsIndependent) {
    BaseContainer rd;
    rd.SetFloat(5008, 800);
    rd.SetFloat(5009, 600);
    rd.SetBool(8000, false);
    BaseContainer copy = rd;
    copy.SetBool(8000, true);
    copy.SetInt32(42, 1);
    EXPECT_FALSE(rd.GetBool(8000)); // the copy does not write through

    BaseContainer change;
    change.SetBool(8000, true);
    change.SetFloat(5009, 1024);
    rd.MergeContainer(change);
    EXPECT_EQ(rd.GetCount(), 3);
    EXPECT_EQ(rd.GetFloat(5008), 800);
    EXPECT_EQ(rd.GetFloat(5009), 1024);
    EXPECT_TRUE(rd.GetBool(8000));
    rd.MergeContainer(rd); // merging into itself changes nothing
    EXPECT_EQ(rd.GetCount(), 3);
    // Index access walks the ids in order.
    EXPECT_EQ(rd.GetIndexId(0), 5008);
    EXPECT_EQ(rd.GetIndexId(2), 8000);
    EXPECT_EQ(rd.GetIndexId(3), -1);
    EXPECT_EQ(rd.GetIndexData(3), nullptr);
}

TEST(Filename, JoinsWithOneSlashAndSplits) {
    struct Case {
        const char* a;
        const char* b;
        const char* joined;
    } cases[] = {{"plugin", "res", "plugin/res"},
                 {"plugin/", "res", "plugin/res"},
                 {"plugin", "/Manual.pdf", "plugin/Manual.pdf"},
                 {"", "x.png", "x.png"},
                 {"plugin", "", "plugin"},
                 {"/", "x", "/x"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " + " << c.b);
        EXPECT_EQ((Filename(c.a) + Filename(c.b)).GetString(), String(c.joined));
    }
    const Filename f("res/icons/ovrintag.tif");
    EXPECT_EQ(f.GetFile().GetString(), String("ovrintag.tif"));
    EXPECT_EQ(f.GetDirectory().GetString(), String("res/icons"));
    EXPECT_EQ(f.GetSuffix(), String("tif"));
    EXPECT_FALSE(Filename().Content());
}

TEST(String, FindFirstAndSubStrStayInsideTheText) {
    const String s("TITLE\nDirected by");
    Int32 pos = -1;
    ASSERT_TRUE(s.FindFirst("\n", &pos, 0));
    EXPECT_EQ(pos, 5);
    EXPECT_FALSE(s.FindFirst("\n", &pos, 6));
    EXPECT_EQ(pos, 5);
    EXPECT_FALSE(s.FindFirst("x", &pos, 100));
    EXPECT_EQ(s.SubStr(0, 5), String("TITLE"));
    EXPECT_EQ(s.SubStr(6, 100), String("Directed by"));
    EXPECT_EQ(s.SubStr(-3, 2), String("TI"));
    EXPECT_EQ(s.SubStr(40, 2), String(""));
}

} // namespace
