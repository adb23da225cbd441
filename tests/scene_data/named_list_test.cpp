#include <gtest/gtest.h>

#include "scene/named_list.h"

TEST(NamedList, FirstDefinitionWinsAndNamesIgnoreCase)
{
    int first = 1;
    int second = 2;
    NamedList<int> list;
    EXPECT_TRUE(list.Add("Box01", &first));
    EXPECT_FALSE(list.Add("BOX01", &second));
    EXPECT_EQ(list.Find("box01"), &first);
    EXPECT_EQ(list.Find("box0"), nullptr);
    EXPECT_EQ(list.Find(nullptr), nullptr);
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_STREQ(list.NameOf(&first), "Box01");
    EXPECT_TRUE(SceneNamesEqual("$EMPTYMATERIAL", "$emptymaterial"));
    EXPECT_FALSE(SceneNamesEqual("[", "{")) << "only letters fold";
    EXPECT_EQ(list.Find("Box01["), nullptr);
}

TEST(NamedList, AnEntryWithoutValueHoldsNothingButStaysFirst)
{
    int later = 3;
    NamedList<int> list;
    EXPECT_TRUE(list.Add("Cam", nullptr));
    EXPECT_TRUE(list.Add("CAM", &later));
    EXPECT_FALSE(list.Add("cam", &later));
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Find("cam"), nullptr);
}
