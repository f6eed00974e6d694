#include "interaction/tables.h"

namespace lnf {

const TableRow& DoTable(int room) {
    static const std::array<TableRow, 33> rows = [] {
        std::array<TableRow, 33> t{};
        t[1] = {24, 26, 32, 39, 0};
        t[2] = {28, 0, 0, 0, 0};
        t[4] = {25, 33, 34, 36, 44};
        t[5] = {28, 0, 0, 0, 0};
        t[6] = {25, 0, 0, 0, 0};
        t[7] = {25, 0, 0, 0, 0};
        t[8] = {25, 27, 33, 35, 0};
        t[10] = {25, 0, 0, 0, 0};
        t[14] = {28, 0, 0, 0, 0};
        t[15] = {37, 0, 0, 0, 0};
        t[17] = {25, 0, 0, 0, 0};
        t[18] = {25, 0, 0, 0, 0};
        t[19] = {26, 34, 42, 0, 0};
        t[20] = {27, 0, 0, 0, 0};
        t[22] = {38, 0, 0, 0, 0};
        t[27] = {37, 0, 0, 0, 0};
        t[28] = {29, 0, 0, 0, 0};
        t[32] = {25, 0, 0, 0, 0};
        return t;
    }();
    static const TableRow empty{};
    return room >= 0 && room <= 32 ? rows[size_t(room)] : empty;
}

const TableRow& UseTable(int room) {
    static const std::array<TableRow, 33> rows = [] {
        std::array<TableRow, 33> t{};
        t[1] = {1, 3, 0, 0, 0};
        t[3] = {2, 0, 0, 0, 0};
        t[4] = {3, 0, 0, 0, 0};
        t[5] = {2, 5, 0, 0, 0};
        t[6] = {2, 0, 0, 0, 0};
        t[8] = {1, 2, 3, 4, 5};
        t[11] = {2, 3, 4, 0, 0};
        t[14] = {2, 0, 0, 0, 0};
        t[15] = {2, 0, 0, 0, 0};
        t[18] = {2, 0, 0, 0, 0};
        t[22] = {4, 0, 0, 0, 0};
        t[23] = {2, 3, 4, 5, 0};
        t[26] = {2, 0, 0, 0, 0};
        t[29] = {4, 0, 0, 0, 0};
        t[31] = {2, 3, 4, 5, 0};
        t[32] = {3, 0, 0, 0, 0};
        return t;
    }();
    static const TableRow empty{};
    return room >= 0 && room <= 32 ? rows[size_t(room)] : empty;
}

const std::vector<ObjectStates>& RuleObjects() {
    static const std::vector<ObjectStates> objects = {
        {1, 1, {0, 1}}, {1, 2, {0}}, {1, 3, {0}}, {1, 8, {0, 1}},
        {2, 5, {0}},
        {3, 2, {0, 1}},
        {4, 2, {0, 1, 2}}, {4, 3, {0, 1}}, {4, 5, {0, 1, 2}},
        {5, 1, {0, 1}}, {5, 2, {0, 1}}, {5, 5, {0, 1, 2}}, {5, 8, {0, 1}},
        {6, 2, {0}},
        {7, 2, {0, 1}},
        {8, 2, {0, 1, 2}}, {8, 4, {0, 1, 2}},
        {10, 2, {0}},
        {11, 2, {0, 1}}, {11, 3, {0, 1}}, {11, 4, {0, 1}},
        {14, 1, {0, 1}}, {14, 2, {0, 1}}, {14, 5, {0, 1}}, {14, 6, {0, 1}},
        {15, 2, {0, 1}}, {15, 6, {0, 1, 2}},
        {17, 2, {0}}, {17, 4, {0}}, {17, 5, {0}}, {17, 7, {0}}, {17, 8, {0}},
        {18, 2, {0, 1}},
        {19, 3, {0, 1, 2}},
        {20, 4, {0, 1}},
        {22, 2, {0}}, {22, 3, {0}}, {22, 4, {0, 1}}, {22, 6, {0}}, {22, 7, {0, 1, 2}}, {22, 8, {0}},
        {23, 1, {0, 1}}, {23, 2, {0, 1}}, {23, 3, {0, 1}}, {23, 4, {0, 1}}, {23, 5, {0, 1}},
        {23, 6, {0, 1}}, {23, 7, {0, 1}},
        {26, 2, {0}},
        {27, 6, {0, 1}},
        {28, 6, {0}},
        {29, 2, {0, 1}}, {29, 4, {0, 1}},
        {31, 2, {0, 1}}, {31, 3, {0, 1}}, {31, 4, {0, 1}}, {31, 5, {0, 1}},
        {32, 2, {0}}, {32, 3, {0, 1}},
    };
    return objects;
}

const std::vector<std::string>& StoryTextKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k = {"hint",     "msg6",     "msg37",     "msg43",  "msg44", "msg45",
                                      "msg49",    "catfish1", "catfish2",  "engineer", "transform",
                                      "jabber",   "kitty",    "note",      "about"};
        for (int i = 1; i <= 21; ++i) {
            if (i != 9) k.push_back("item" + std::to_string(i));
        }
        for (int i = 1; i <= 9; ++i) k.push_back("intro" + std::to_string(i));
        return k;
    }();
    return keys;
}

}  // namespace lnf
