#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "strings/List.h"

// Counts the live elements, so that a test sees every deletion.  Outside the
// unnamed namespace, so that its name in the assertion texts is plain.
struct Tracked {
    explicit Tracked(int v) : value(v) { ++live; }
    Tracked(const Tracked& other) : value(other.value) { ++live; }
    ~Tracked() { --live; }
    int value;
    static int live;
};
int Tracked::live = 0;

namespace {

std::vector<int> Forward(const CList<Tracked>& list) {
    std::vector<int> out;
    for (auto* n = list.GetHead(); n; n = list.GetNext(n)) out.push_back(list.GetAt(n).value);
    return out;
}

std::vector<int> Backward(const CList<Tracked>& list) {
    std::vector<int> out;
    for (auto* n = list.GetTail(); n; n = list.GetPrev(n)) out.push_back(list.GetAt(n).value);
    return out;
}

class ListTest : public ::testing::Test {
protected:
    void SetUp() override { Tracked::live = 0; }
};

TEST_F(ListTest, WalksInInsertionOrderForwardsAndReverseBackwards) {
    CList<Tracked> list;
    list.AddTail(new Tracked(1));
    Tracked two(2);
    list.AddTail(two);  // copied: the list owns its own element
    list.AddTail(new Tracked(3));
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(Forward(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Backward(list), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(Tracked::live, 4);
    EXPECT_EQ(list.GetNext(nullptr), nullptr);
    EXPECT_EQ(list.GetPrev(nullptr), nullptr);
}

TEST_F(ListTest, RemoveAtReturnsANeighbourAndDeletesTheElement) {
    CList<Tracked> list;
    for (int i = 1; i <= 4; ++i) list.AddTail(new Tracked(i));

    auto* head = list.GetHead();
    EXPECT_EQ(list.RemoveAt(head, 0), nullptr);  // nothing precedes the head
    EXPECT_EQ(list.GetAt(list.GetHead()).value, 2);
    auto* next = list.RemoveAt(list.GetHead(), 1);
    EXPECT_EQ(next, list.GetHead());
    EXPECT_EQ(list.GetAt(next).value, 3);
    auto* before = list.RemoveAt(list.GetTail(), 0);
    EXPECT_EQ(before, list.GetTail());
    EXPECT_EQ(list.GetAt(before).value, 3);
    EXPECT_EQ(Tracked::live, 1);
    EXPECT_EQ(list.RemoveAt(nullptr, 1), nullptr);

    EXPECT_EQ(list.RemoveAt(list.GetHead(), 1), nullptr);  // the only node
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.GetTail(), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(Tracked::live, 0);
}

TEST_F(ListTest, RemovingAMiddleNodeRelinksBothNeighbours) {
    CList<Tracked> list;
    for (int i = 1; i <= 3; ++i) list.AddTail(new Tracked(i));
    auto* middle = list.GetNext(list.GetHead());
    EXPECT_EQ(list.GetAt(list.RemoveAt(middle, 1)).value, 3);
    EXPECT_EQ(Forward(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(Backward(list), (std::vector<int>{3, 1}));
}

TEST_F(ListTest, DestructionDeletesEveryElement) {
    {
        CList<Tracked> list;
        for (int i = 0; i < 5; ++i) list.AddTail(new Tracked(i));
        list.NewTailNode();  // a node without element is removed as well
        EXPECT_EQ(list.GetCount(), 6);
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST_F(ListTest, GetAtOfANullNodeOrOfANodeWithoutElementAsserts) {
    CList<Tracked> list;
    EXPECT_DEATH(list.GetAt(nullptr),
                 "shared/base/list:548: class Tracked & CList<Tracked>::GetAt<Tracked>\\(class "
                 "CNode<Tracked> \\*\\) const: Assertion `0' failed");
    auto* empty = list.NewTailNode();
    EXPECT_DEATH(list.GetAt(empty),
                 "shared/base/node:121: class Tracked & CNode<Tracked>::GetDataRef<Tracked>\\(\\) "
                 "const: Assertion `0' failed");
}

}  // namespace
