// Named events: who hears a send, what a send answers, and registrations that change
// while a send is under way.
#include "host/utility/evt.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> heard;

class Receiver : public CEvt {
 public:
  explicit Receiver(std::string name, int answer = 1) : m_name(std::move(name)), m_answer(answer) {}
  std::function<void()> during;

  int OnEvent(long first, long second) {
    heard.push_back(m_name + " " + std::to_string(first) + "," + std::to_string(second));
    if (during) during();
    return m_answer;
  }

 private:
  std::string m_name;
  int m_answer;
};

TEST(EvtTest, SendReachesEveryHandlerOfTheNameReportsARefusalAndHandlersMayChangeTheRegistrations) {
  heard.clear();
  Receiver grid("grid"), other("other", 0);
  ASSERT_TRUE(CEvt::Register("UpdateDesign", &grid, &Receiver::OnEvent) &&
              CEvt::Register("UpdateDesign", &grid, &Receiver::OnEvent) &&
              CEvt::Register("DesignColoursChanged", &other, &Receiver::OnEvent));
  EXPECT_FALSE(CEvt::Register("", &grid, &Receiver::OnEvent));

  EXPECT_EQ(CEvt::Send("UpdateDesign", 7, -1), 1);
  EXPECT_EQ(heard, std::vector<std::string>({"grid 7,-1"}));
  EXPECT_EQ(CEvt::Send("DesignColoursChanged", 1, 0), 0);
  EXPECT_EQ(heard.size(), 2u);

  CEvt::UnregisterAll(&grid);
  EXPECT_EQ(CEvt::CountReceivers("UpdateDesign"), 0);
  EXPECT_EQ(CEvt::CountReceivers("DesignColoursChanged"), 1);
  CEvt::UnregisterAll(&other);

  // Handlers may change the registrations during a send.
  heard.clear();
  Receiver first("first"), late("late");
  auto second = std::make_unique<Receiver>("second");
  CEvt::Register("E", &first, &Receiver::OnEvent);
  CEvt::Register("E", second.get(), &Receiver::OnEvent);
  first.during = [&] {
    CEvt::UnregisterAll(&first);
    second.reset();  // its destructor takes it off the list before its turn
    CEvt::Register("E", &late, &Receiver::OnEvent);
  };

  EXPECT_EQ(CEvt::Send("E", 1, 2), 1);
  EXPECT_EQ(heard, std::vector<std::string>({"first 1,2"}));
  EXPECT_EQ(CEvt::Send("E", 3, 4), 1);
  EXPECT_EQ(heard, std::vector<std::string>({"first 1,2", "late 3,4"}));
  CEvt::UnregisterAll(&late);
}

}  // namespace
