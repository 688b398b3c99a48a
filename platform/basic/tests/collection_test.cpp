#include <gtest/gtest.h>

#include <memory>

#include "collection.h"
#include "error_number.h"

using namespace vb;

namespace {
std::vector<std::string> contents(const Collection& c) {
    std::vector<std::string> out;
    for (const Variant& v : c) out.push_back(v.ToString());
    return out;
}
}  // namespace

TEST(Collection, AddPlacesMembersByKeyOrPosition) {
    Collection c;
    c.Add("one", "k1");
    c.Add("three", "k3");
    c.Add("two", "k2", "K3");     // before the member keyed k3 (keys ignore case)
    c.Add("zero", {}, 1);         // before position 1
    c.Add("four", {}, {}, 4);     // after position 4
    c.Add("five", "k5", {}, "k3");
    EXPECT_EQ(contents(c), (std::vector<std::string>{"zero", "one", "two", "three", "five", "four"}));
    EXPECT_EQ(c.Count(), 6);
    EXPECT_EQ(c.Item("k2").ToString(), "two");
    EXPECT_EQ(c.Item("K5").ToString(), "five");
    EXPECT_EQ(c.Item(1).ToString(), "zero");
    EXPECT_EQ(c.Item(2.6).ToString(), "two");  // positions round like CLng
}

TEST(Collection, ErrorsOfTheRuntime) {
    Collection c;
    c.Add(1, "a");
    c.Add(2, "b");
    EXPECT_EQ(ErrorNumber([&] { c.Add(3, "A"); }), 457);
    EXPECT_EQ(ErrorNumber([&] { c.Item("missing"); }), 5);
    EXPECT_EQ(ErrorNumber([&] { c.Item(0); }), 9);
    EXPECT_EQ(ErrorNumber([&] { c.Item(3); }), 9);
    EXPECT_EQ(ErrorNumber([&] { c.Remove("missing"); }), 5);
    EXPECT_EQ(ErrorNumber([&] { c.Remove(5); }), 9);
    EXPECT_EQ(ErrorNumber([&] { c.Add(3, 7); }), 13);
    EXPECT_EQ(ErrorNumber([&] { c.Add(3, "c", "a", "b"); }), 5);
    EXPECT_EQ(ErrorNumber([&] { c.Add(3, "c", "nokey"); }), 5);
    EXPECT_EQ(ErrorNumber([&] { c.Add(3, "c", 9); }), 9);
    EXPECT_EQ(c.Count(), 2);  // failed adds leave nothing behind
}

TEST(Collection, RemoveKeepsOrderAndFreesTheKey) {
    Collection c;
    for (int i = 1; i <= 4; ++i) c.Add(i * 10, "k" + std::to_string(i));
    c.Remove("K2");
    c.Remove(1);
    EXPECT_EQ(contents(c), (std::vector<std::string>{"30", "40"}));
    c.Add(20, "k2");
    EXPECT_EQ(c.Item("k2").ToLong(), 20);
    int seen = 0;
    for (const Variant& v : c) {  // removing while iterating ends the loop, no crash
        (void)v;
        ++seen;
        c.Remove(1);
    }
    EXPECT_LE(seen, 3);
}

TEST(Collection, HoldsObjectsAndAnswersLateBoundCalls) {
    auto inner = std::make_shared<Collection>();
    inner->Add("x");
    auto outer = std::make_shared<Collection>();
    outer->Add(Variant(ObjectRef(inner)), "inner");
    Variant held{ObjectRef(outer)};
    EXPECT_EQ(held.TypeName(), "Collection");
    EXPECT_EQ(held.ToObject()->GetMember("count").ToLong(), 1);
    Variant got = held.ToObject()->CallMember("Item", {Variant("INNER")});
    EXPECT_EQ(got.ToObject(), inner);
    EXPECT_EQ(ErrorNumber([&] { held.ToObject()->GetMember("Nope"); }), 438);
}
