// The window manager hands every event unchanged to its one receiver and drops events
// when there is none, so input never reaches a stale or second owner.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CaptureOutput.h"
#include "WindowManager.h"

namespace {

// Records every event it receives as one line of text.
class EventRecorder final : public EventCallbacks {
 public:
  void keyCallback(GLFWwindow*, int key, int scancode, int action, int mods) override {
    events.push_back("key " + std::to_string(key) + " " + std::to_string(scancode) + " " +
                     std::to_string(action) + " " + std::to_string(mods));
  }
  void mouseCallback(GLFWwindow*, int button, int action, int mods) override {
    events.push_back("mouse " + std::to_string(button) + " " + std::to_string(action) + " " +
                     std::to_string(mods));
  }
  void resizeCallback(GLFWwindow*, int width, int height) override {
    events.push_back("resize " + std::to_string(width) + " " + std::to_string(height));
  }
  void scrollCallback(GLFWwindow*, double deltaX, double deltaY) override {
    events.push_back("scroll " + std::to_string(deltaX) + " " + std::to_string(deltaY));
  }
  void cursorCallback(GLFWwindow*, double xpos, double ypos) override {
    events.push_back("cursor " + std::to_string(xpos) + " " + std::to_string(ypos));
  }

  std::vector<std::string> events;
};

void sendOneOfEach() {
  WindowManager::key_callback(nullptr, GLFW_KEY_W, 17, GLFW_REPEAT, GLFW_MOD_SHIFT);
  WindowManager::mouse_callback(nullptr, GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS, 0);
  WindowManager::resize_callback(nullptr, 2160, 1620);
  WindowManager::scroll_callback(nullptr, -0.5, 2.0);
  WindowManager::cursor_callback(nullptr, 1234.25, -20.5);
}

}  // namespace

TEST(WindowManager, ForwardsEveryEventUnchangedToTheReceiver) {
  WindowManager manager;
  EventRecorder recorder;
  manager.setEventCallbacks(&recorder);
  sendOneOfEach();
  EXPECT_EQ(recorder.events, (std::vector<std::string>{
                                 "key 87 17 2 1",
                                 "mouse 1 1 0",
                                 "resize 2160 1620",
                                 "scroll -0.500000 2.000000",
                                 "cursor 1234.250000 -20.500000",
                             }));
}

TEST(WindowManager, DropsEventsWithoutAReceiverOrAfterTheInstanceIsGone) {
  EventRecorder recorder;
  {
    WindowManager manager;
    sendOneOfEach();
    manager.setEventCallbacks(&recorder);
  }
  EXPECT_EQ(WindowManager::getInstance(), nullptr);
  sendOneOfEach();
  EXPECT_TRUE(recorder.events.empty());
}

TEST(WindowManager, OnlyTheFirstInstanceReceivesEvents) {
  WindowManager first;
  EventRecorder firstRecorder;
  first.setEventCallbacks(&firstRecorder);

  CaptureStderr capturedStderr;
  WindowManager second;
  EXPECT_EQ(capturedStderr.stop(),
            "One instance of WindowManager has already been created, event callbacks of new "
            "instance will not work.\n");
  EventRecorder secondRecorder;
  second.setEventCallbacks(&secondRecorder);

  WindowManager::resize_callback(nullptr, 640, 480);
  EXPECT_EQ(firstRecorder.events, (std::vector<std::string>{"resize 640 480"}));
  EXPECT_TRUE(secondRecorder.events.empty());
  EXPECT_EQ(WindowManager::getInstance(), &first);
}
