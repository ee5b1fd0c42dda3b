#include "background/insert_point.h"

#include <gtest/gtest.h>

#include <sstream>

#include "console/console.h"

namespace {

class InsertPointTest : public ::testing::Test {
  protected:
    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};
    PointList list;

    void fill(std::initializer_list<float> tths) {
        for (float tth : tths) {
            ++list.last;
            list.x[list.last] = tth;
            list.y[list.last] = 10 * tth;
        }
    }
    std::vector<float> tths() const {
        return std::vector<float>(list.x.begin(), list.x.begin() + list.last + 1);
    }
};

}  // namespace

TEST_F(InsertPointTest, AnEmptyListTakesItsFirstPointByAppending) {
    EXPECT_EQ(insertPoint(console, list, 20.5f, 1234.5f), InsertResult::Appended);
    EXPECT_EQ(out.str(), "BG:Appending a bg point to last(1th) @ x:20.500000 , y:1234.500000\n");
    EXPECT_EQ(list.last, 0);
    EXPECT_FLOAT_EQ(list.y[0], 1234.5f);
}

TEST_F(InsertPointTest, PutsAPointAtTheFrontInTheMiddleAndAtTheEnd) {
    fill({20, 22, 24});
    EXPECT_EQ(insertPoint(console, list, 19.0f, 1.0f), InsertResult::Inserted);
    EXPECT_EQ(insertPoint(console, list, 23.0f, 2.0f), InsertResult::Inserted);
    EXPECT_EQ(insertPoint(console, list, 25.0f, 3.0f), InsertResult::Appended);
    EXPECT_EQ(tths(), (std::vector<float>{19, 20, 22, 23, 24, 25}));
    EXPECT_FLOAT_EQ(list.y[3], 2.0f);  // the intensity travels with its two-theta
    EXPECT_FLOAT_EQ(list.y[4], 240.0f);
    EXPECT_EQ(out.str(),
              "Inserting a bg point to 1th @ x:19.000000 , y:1.000000\n"
              "Inserting a bg point to 4th @ x:23.000000 , y:2.000000\n"
              "BG:Appending a bg point to last(6th) @ x:25.000000 , y:3.000000\n");
}

TEST_F(InsertPointTest, AddsNothingAtTheTwoThetaOfAPointAlreadyThere) {
    fill({20, 22, 24});
    for (float tth : {20.0f, 22.0f, 24.0f})
        EXPECT_EQ(insertPoint(console, list, tth, 999.0f), InsertResult::SameTth);
    EXPECT_EQ(tths(), (std::vector<float>{20, 22, 24}));
    EXPECT_FLOAT_EQ(list.y[1], 220.0f);
    EXPECT_EQ(out.str(), "");
}

TEST_F(InsertPointTest, AFullListRefusesThe201stPointAndWritesNothingPastIt) {
    for (int i = 0; i < kPointListCapacity; ++i)
        ASSERT_NE(insertPoint(console, list, 10.0f + i, 1.0f), InsertResult::ListFull);
    out.str("");
    EXPECT_EQ(insertPoint(console, list, 5.0f, 7.0f), InsertResult::ListFull);
    EXPECT_EQ(insertPoint(console, list, 500.0f, 7.0f), InsertResult::ListFull);
    EXPECT_EQ(list.last, kPointListCapacity - 1);
    EXPECT_FLOAT_EQ(list.x[0], 10.0f);
    EXPECT_FLOAT_EQ(list.x[kPointListCapacity - 1], 209.0f);
    EXPECT_EQ(out.str(),
              "BG:The list is full (200 points); the point @ x:5.000000 , y:7.000000 is not "
              "added\n"
              "BG:The list is full (200 points); the point @ x:500.000000 , y:7.000000 is not "
              "added\n");
}

TEST_F(InsertPointTest, RemovingMovesLaterPointsDownAndZeroesTheFreedSlot) {
    fill({20, 22, 24});
    removePoint(list, 1);
    EXPECT_EQ(tths(), (std::vector<float>{20, 24}));
    EXPECT_FLOAT_EQ(list.y[1], 240.0f);
    EXPECT_FLOAT_EQ(list.x[2], 0.0f);
    EXPECT_FLOAT_EQ(list.y[2], 0.0f);
}

TEST_F(InsertPointTest, RemovingTheOnlyPointLeavesAnEmptyListThatTakesNewPoints) {
    fill({20});
    removePoint(list, 0);
    EXPECT_EQ(list.last, -1);
    // The freed slot holds 0.0: a negative two-theta must still be taken as the first point.
    EXPECT_EQ(insertPoint(console, list, -1.0f, 5.0f), InsertResult::Appended);
    EXPECT_EQ(tths(), (std::vector<float>{-1}));
}
