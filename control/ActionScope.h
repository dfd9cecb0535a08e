// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Marks an action of the session under way for as long as it runs, so that
// only the user's own action is logged, not the ones it sets off.
class TActionScope {
  public:
    explicit TActionScope(int& depth) : Depth(depth) { ++Depth; }
    ~TActionScope() { --Depth; }
    TActionScope(const TActionScope&) = delete;
    TActionScope& operator=(const TActionScope&) = delete;

  private:
    int& Depth;
};
