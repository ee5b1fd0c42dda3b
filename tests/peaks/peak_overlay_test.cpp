#include "peaks/peak_overlay.h"

#include <gtest/gtest.h>

#include "view/run_state_fixture.h"

namespace {

// A window 200 high, so labels rise 6 above their markers.
class PeakOverlayTest : public ::testing::Test, protected RunStateFixture {
  protected:
    PointList& list = state->points;
    FitBlock& block = state->peaks.fitBlock;

    PeakOverlayTest() { zoomTo(18, 22, 100, 300); }

    void add(float tth, float cts) {
        ++list.last;
        list.x[list.last] = tth;
        list.y[list.last] = cts;
    }
    // The mean background of the latest fit and its widths, unset after them.
    void fitted(double background, std::initializer_list<double> widths) {
        block.fill(kUnset);
        block[0] = background;
        int k = 1;
        for (double w : widths) block[k++] = w;
    }
    std::vector<const GraphicsCall*> markers(int symbol) const {
        std::vector<const GraphicsCall*> found;
        for (const GraphicsCall* call : gfx.named("pt1"))
            if (call->values[2] == symbol) found.push_back(call);
        return found;
    }
    std::vector<const GraphicsCall*> labelsAtAngle(float angle) const {
        std::vector<const GraphicsCall*> found;
        for (const GraphicsCall* call : gfx.named("ptxt"))
            if (call->values[2] == angle) found.push_back(call);
        return found;
    }
};

}  // namespace

TEST_F(PeakOverlayTest, EachEntryHasAMarkerAndAnUprightLabelAboveIt) {
    add(19.5f, 250.0f);
    add(20.25f, 0.0f);
    drawStoredPeaks(*state, 4);
    const auto marks = markers(31);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0]->values, (std::vector<float>{19.5f, 250.0f, 31}));
    EXPECT_EQ(marks[1]->values, (std::vector<float>{20.25f, 0.0f, 31}));
    EXPECT_EQ(marks[0]->colour, 11);
    const auto labels = gfx.named("ptxt");
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0]->text, "19.500000");
    EXPECT_EQ(labels[1]->text, "20.250000");
    EXPECT_EQ(labels[1]->values, (std::vector<float>{20.25f, 6.0f, 90.0f, 0.0f}));
    EXPECT_EQ(labels[0]->colour, 4);
    EXPECT_EQ(gfx.calls.back().name, "sci");
    EXPECT_EQ(gfx.calls.back().values[0], 1);
}

TEST_F(PeakOverlayTest, TheLabelColourIsTheCallersChoice) {
    add(19.5f, 250.0f);
    drawStoredPeaks(*state, 2);
    EXPECT_EQ(gfx.named("ptxt")[0]->colour, 2);
}

TEST_F(PeakOverlayTest, WithoutAFitNoArrowsAreDrawn) {
    add(19.5f, 250.0f);
    drawStoredPeaks(*state, 4);
    EXPECT_TRUE(markers(28).empty());
    EXPECT_TRUE(markers(29).empty());
}

// The widths of the latest fit go with the last entries, in order: the first width with
// the earlier of the two.
TEST_F(PeakOverlayTest, TheWidthsOfTheLatestFitPairWithTheLastEntries) {
    add(18.5f, 500.0f);  // from an earlier fit: no arrows
    add(19.5f, 300.0f);
    add(20.5f, 200.0f);
    fitted(100.0, {0.2, 0.4});
    drawStoredPeaks(*state, 4);
    const auto left = markers(29);
    const auto right = markers(28);
    ASSERT_EQ(left.size(), 2u);
    ASSERT_EQ(right.size(), 2u);
    // Half-maximum height: halfway between the background and the entry's height.
    EXPECT_EQ(left[0]->values, (std::vector<float>{20.3f, 150.0f, 29}));
    EXPECT_EQ(right[0]->values, (std::vector<float>{20.7f, 150.0f, 28}));
    EXPECT_EQ(left[1]->values, (std::vector<float>{19.4f, 200.0f, 29}));
    EXPECT_EQ(right[1]->values, (std::vector<float>{19.6f, 200.0f, 28}));
    EXPECT_EQ(left[0]->colour, 13);
    const auto widths = labelsAtAngle(-90.0f);
    ASSERT_EQ(widths.size(), 2u);
    EXPECT_EQ(widths[0]->text, "0.400000");
    EXPECT_EQ(widths[0]->values, (std::vector<float>{20.5f, 100.0f, -90.0f, 0.0f}));
    EXPECT_EQ(widths[1]->text, "0.200000");
    EXPECT_EQ(widths[1]->colour, 11);
}

TEST_F(PeakOverlayTest, WidthsBeyondTheStartOfAShortenedListAreNotDrawn) {
    add(20.5f, 200.0f);
    fitted(100.0, {0.2, 0.4, 0.6});
    drawFwhmMarks(*state);
    ASSERT_EQ(markers(29).size(), 1u);
    EXPECT_EQ(markers(29)[0]->values, (std::vector<float>{20.2f, 150.0f, 29}));
    ASSERT_EQ(labelsAtAngle(-90.0f).size(), 1u);
    EXPECT_EQ(labelsAtAngle(-90.0f)[0]->text, "0.600000");
}

TEST_F(PeakOverlayTest, AnEmptyListShowsNoWidthsAtAll) {
    fitted(100.0, {0.2});
    drawStoredPeaks(*state, 4);
    EXPECT_EQ(gfx.count("pt1"), 0);
    EXPECT_EQ(gfx.count("ptxt"), 0);
}

TEST_F(PeakOverlayTest, AValueWithin300OfTheUnsetValueEndsTheWidths) {
    add(19.5f, 300.0f);
    add(20.5f, 200.0f);
    fitted(100.0, {0.2, -250.0, 0.4});
    drawFwhmMarks(*state);
    ASSERT_EQ(markers(29).size(), 1u);
    EXPECT_EQ(labelsAtAngle(-90.0f)[0]->text, "0.200000");
    EXPECT_FLOAT_EQ(markers(29)[0]->values[0], 20.4f);  // paired with the last entry
}

TEST_F(PeakOverlayTest, ABlockWithElevenWidthsSetShowsNone) {
    for (int i = 0; i < 11; ++i) add(19.0f + 0.1f * i, 200.0f);
    block.fill(0.1);
    block[0] = 100.0;
    drawFwhmMarks(*state);
    EXPECT_EQ(gfx.count("pt1"), 0);
}

TEST_F(PeakOverlayTest, AHugeWidthIsLabelledInFull) {
    add(20.5f, 200.0f);
    fitted(100.0, {1e300});
    drawFwhmMarks(*state);
    const std::string label = labelsAtAngle(-90.0f)[0]->text;
    EXPECT_EQ(label.size(), 301u + 7u);
    EXPECT_EQ(label.substr(label.size() - 7), ".000000");
}
