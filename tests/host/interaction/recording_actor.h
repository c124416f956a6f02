// An actor that logs what the framework makes it do, for the interaction tests.
#pragma once

#include <string>
#include <vector>

#include "host/interaction/actor.h"

class RecordingActor : public CActor {
 public:
  explicit RecordingActor(const char* name = "recorder") : CActor(nullptr, name) {}

  using CActor::OnAction;
  using CActor::OnLeftClick;

  std::vector<std::string> log;
  bool allowed = true;
  UINT menuCommand = 0;  // 0: this actor puts nothing in its context menu
  UINT menuText = 0;     // string-table entry of that item

  void Place(CPoint point, UINT flags) { Log("place", point, flags); }
  void Mark(CPoint point, UINT flags) { Log("mark", point, flags); }
  bool IsAllowedAt(CPoint, UINT) { return allowed; }
  bool IsAllowed() { return allowed; }
  void Ping() { log.push_back("ping"); }
  void Pong() { log.push_back("pong"); }
  void Deny() { log.push_back("deny"); }

  void OnStart() override { log.push_back("start " + std::to_string(GetCurrentState())); }
  void OnStop() override { log.push_back("stop"); }
  bool FillContextMenu(CContextMenu* menu, CPoint point) override {
    Log("fill", point, 0);
    return menuCommand != 0 && menu->AppendMenu(0, menuCommand, menuText) != FALSE;
  }
  void OnMiddleButton(bool pressed, UINT flags, CPoint point) override {
    Log(pressed ? "middle down" : "middle up", point, flags);
  }
  void OnChar(UINT ch, UINT, UINT) override { log.push_back(std::string("char ") + static_cast<char>(ch)); }

 private:
  void Log(const char* what, CPoint point, UINT flags) {
    log.push_back(std::string(what) + " " + std::to_string(point.x) + "," + std::to_string(point.y) +
                  " flags " + std::to_string(flags));
  }
};
