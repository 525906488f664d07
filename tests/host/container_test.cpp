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
