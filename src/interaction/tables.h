// What can be done where: the Do and Use tables of every room, and the objects and states
// the room rules give, which the room texts must cover.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace lnf {

using TableRow = std::array<int, 5>;

// Do lines (code - 1) + 8 * state + 24 at which a Do reaches the room rule.
const TableRow& DoTable(int room);
// Object codes on which an item can be used with a rule.
const TableRow& UseTable(int room);

struct ObjectStates {
    int room;
    int code;
    std::vector<int> states;
};
// Every object a rule acts on or changes, with every state the story can give it.
const std::vector<ObjectStates>& RuleObjects();

// Fixed messages of the rules (codes 4..50); the long ones come from the story texts.
std::string FixedMessage(int code, const std::function<std::string(const std::string&)>& storyText);

// Story text keys the program uses; the content must define each.
const std::vector<std::string>& StoryTextKeys();

}  // namespace lnf
