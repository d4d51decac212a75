// The cost of a frame as the project's code incurs it, counted call by call:
// heap blocks, GL and GLUT queries, display-list runs. Drawn in the shared
// test window, which stands in for both of the program's windows.
#include <string>

#include "app/scene.h"
#include "app/values.h"
#include "app/windows.h"
#include "bench/call_counter.h"
#include "manipulator/keyboard.h"
#include "manipulator/mouse.h"
#include "projection/reshape.h"
#include "tests/support/gl_test.h"
#include "tests/support/module_state.h"
#include "text/fonts.h"
#include "text/raster_text.h"

namespace {

// The test window as the diagram window, with the program's view.
class FrameCostTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    resetModuleState();
    diagramWindow = testWindow();
    valuesWindow = testWindow();
    setOrthoVolume(-10, 10, -10, 10, -500, 500);
    reshapeOrtho(kTestWindowWidth, kTestWindowHeight);
    setKeyRotation(25, 15, 0);
  }
};

TEST_F(FrameCostTest, DiagramFrameAllocatesOnlyTheSevenMeshesSampleArraysAndFreesThem) {
  displayDiagram();  // the first frame also builds the window's fonts
  for (int frame = 0; frame < 2; ++frame) {
    resetCallCounts();
    displayDiagram();
    const HeapCounts heap = heapCounts();
    EXPECT_EQ(heap.callocs, 7 * 4) << "frame " << frame;
    EXPECT_EQ(heap.mallocs, 0);
    EXPECT_EQ(heap.reallocs, 0);
    EXPECT_EQ(heap.frees, 7 * 4);
    EXPECT_EQ(heap.live, 0);
  }
}

TEST_F(FrameCostTest, DiagramFrameQueriesOnlyItsFiveAnchorsAndTheWindowOfItsTenTexts) {
  displayDiagram();
  resetCallCounts();
  displayDiagram();
  EXPECT_EQ(callCount(kCall_glGetBooleanv), 5);
  EXPECT_EQ(callCount(kCall_glGetFloatv), 5);
  EXPECT_EQ(callCount(kCall_glutGetWindow), 10);
  EXPECT_EQ(callCount(kCall_glutGet), 20);
  EXPECT_EQ(queryCalls(), 40) << describeQueries();
  EXPECT_EQ(callCount(kCall_glCallLists), 10);
}

TEST_F(FrameCostTest, ValuesFrameAllocatesNothingAndQueriesOnlyItsLines) {
  reshapeValues(kTestWindowWidth, kTestWindowHeight);
  displayValues();
  resetCallCounts();
  displayValues();
  const HeapCounts heap = heapCounts();
  EXPECT_EQ(heap.callocs + heap.mallocs + heap.reallocs + heap.frees, 0);
  EXPECT_EQ(queryCalls(), 5 * 2 + 5 * 3) << describeQueries();
  EXPECT_EQ(callCount(kCall_glCallLists), 5);
}

TEST_F(FrameCostTest, TextOfAnyLengthIsOneListCallWithTheSameCallsAndNoAllocation) {
  setRasterPosition(0.0f, 0.0f, 0.0f);
  printText(kTextDepthTested, FontStandard, "%s", "x");  // builds the window's fonts
  long callsOfOneByte = -1;
  for (int length : {1, 2, 37, 1000, 1999, 2500}) {
    const std::string text(static_cast<size_t>(length), 'W');
    resetCallCounts();
    printText(kTextDepthTested, FontStandard, "%s", text.c_str());
    EXPECT_EQ(callCount(kCall_glCallLists), 1) << "length " << length;
    EXPECT_EQ(callCount(kCall_glCallList) + callCount(kCall_glBitmap) +
                  callCount(kCall_glutBitmapCharacter),
              0);
    const HeapCounts heap = heapCounts();
    EXPECT_EQ(heap.callocs + heap.mallocs + heap.reallocs, 0) << "length " << length;
    if (callsOfOneByte < 0) callsOfOneByte = allCountedCalls();
    EXPECT_EQ(allCountedCalls(), callsOfOneByte) << "length " << length;
  }
}

TEST_F(FrameCostTest, DragStepOfEveryModeMakesNoGlOrGlutCallWhileThePressQueriesOnce) {
  float boundX = 0.5f, boundY = 0.5f;
  setDragParameterX(&boundX, 0.0f, 1.0f, 0.01f);
  setDragParameterY(&boundY, 0.0f, 1.0f, 0.01f);
  for (int mode = modShift; mode <= modCtrlAlt; ++mode) {
    resetCallCounts();
    manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100, mode);
    // The counters do see the manipulator: its press reads the projection and the width.
    EXPECT_EQ(callCount(kCall_glGetFloatv), 1) << "mode " << mode;
    EXPECT_EQ(callCount(kCall_glutGet), 1) << "mode " << mode;
    resetCallCounts();
    EXPECT_EQ(manipulatorHandleMotion(130, 80), 1) << "mode " << mode;
    EXPECT_EQ(manipulatorHandleMotion(95, 120), 1) << "mode " << mode;
    EXPECT_EQ(queryCalls(), 0) << "mode " << mode << ": " << describeQueries();
    EXPECT_EQ(allCountedCalls(), 0) << "mode " << mode;
    const HeapCounts heap = heapCounts();
    EXPECT_EQ(heap.callocs + heap.mallocs + heap.reallocs + heap.frees, 0) << "mode " << mode;
    manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_UP, 95, 120, mode);
  }
}

}  // namespace
