// CT_Forum: listeners hear in order, vn_Speak stops at the first answer,
// and a listener may leave while the forum speaks.
#include "foundation/ct/ct_forum.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillex;

namespace {

class Recorder : public CT_Listener {
  public:
    Recorder(std::string& log, char name, int answer) : log_(log), name_(name), answer_(answer) {}
    int vn_Update(CT_Forum& forum, int message, void* /*argument*/) override {
        log_ += name_ + std::to_string(message);
        if (leaveOnHearing)
            forum.vv_RemoveListener(this);
        return answer_;
    }
    bool leaveOnHearing = false;

  private:
    std::string& log_;
    char name_;
    int answer_;
};

} // namespace

TEST(CT_Forum, SpeakReachesListenersInOrderAndStopsAtTheFirstAnswer) {
    std::string log;
    Recorder a(log, 'a', 0), b(log, 'b', 7), c(log, 'c', 9);
    CT_Forum forum;
    for (Recorder* listener : {&a, &b, &c, &a})
        forum.vv_AddListener(listener);
    EXPECT_EQ(forum.n_GetListenerCount(), 3u);

    forum.vv_Speak(nullptr, 1);
    EXPECT_EQ(log, "a1b1c1");
    log.clear();
    EXPECT_EQ(forum.vn_Speak(nullptr, 2), 7);
    EXPECT_EQ(log, "a2b2");
    log.clear();
    EXPECT_EQ(forum.vn_Speak(&c, 3), 9);
    EXPECT_EQ(log, "c3");
}

TEST(CT_Forum, AListenerMayLeaveWhileTheForumSpeaks) {
    std::string log;
    Recorder a(log, 'a', 0), b(log, 'b', 0);
    a.leaveOnHearing = true;
    CT_Forum forum;
    forum.vv_AddListener(&a);
    forum.vv_AddListener(&b);
    forum.vv_Speak(nullptr, 1);
    forum.vv_Speak(nullptr, 2);
    EXPECT_EQ(log, "a1b1b2");
    EXPECT_EQ(forum.vn_Speak(nullptr, 3), 0);
}
