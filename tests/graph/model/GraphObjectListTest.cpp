#include "graph/model/GraphObjectList.h"

#include "platform/types/Exceptions.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zov {
namespace {

// List items are only compared, never used: fake addresses stand for objects.
TGraphObject* Item(int n) {
    return reinterpret_cast<TGraphObject*>(static_cast<uintptr_t>(n * 16));
}

struct RecordingList {
    TGraphObjectList list;
    std::vector<std::string> events;

    explicit RecordingList(int count = 0) {
        list.OnChange = [this](TGraphObjectList&, TGraphObject* item, TGraphObjectListAction a) {
            static const char* names[] = {"added ", "removed ", "reordered "};
            events.push_back(names[a] + std::to_string(reinterpret_cast<uintptr_t>(item) / 16));
        };
        for (int i = 1; i <= count; ++i) {
            list.Add(Item(i));
        }
        events.clear();
    }
};

TEST(GraphObjectListTest, CapacityGrowsBySixteenThenByEight) {
    TGraphObjectList list;
    std::vector<int32_t> capacities;
    for (int i = 1; i <= 90; ++i) {
        list.Add(Item(i));
        if (capacities.empty() || capacities.back() != list.Capacity()) {
            capacities.push_back(list.Capacity());
        }
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{16, 32, 48, 64, 72, 80, 88, 96}));
}

TEST(GraphObjectListTest, EventsFollowTheChangeAndSkipNullItems) {
    RecordingList r;
    r.list.Add(Item(1));
    r.list.Add(nullptr);
    r.list.Insert(0, Item(2));
    EXPECT_EQ(r.list.Items(0), Item(2));
    EXPECT_EQ(r.list.Count(), 3);
    EXPECT_EQ(r.list.Remove(Item(1)), 1);
    EXPECT_EQ(r.list.Remove(Item(9)), -1);
    r.list.Delete(1); // the null item: no event
    EXPECT_EQ(r.events, (std::vector<std::string>{"added 1", "added 2", "removed 1"}));
}

TEST(GraphObjectListTest, IndexErrorsNameTheIndex) {
    RecordingList r(3);
    const struct {
        std::function<void()> call;
        const char* message;
    } cases[] = {
        {[&] { r.list.Items(3); }, "Index out of range (3)"},
        {[&] { r.list.Items(-1); }, "Index out of range (-1)"},
        {[&] { r.list.Insert(4, Item(9)); }, "Index out of range (4)"},
        {[&] { r.list.Delete(3); }, "Index out of range (3)"},
        {[&] { r.list.Move(5, 0); }, "Index out of range (5)"},
        {[&] { r.list.Move(0, 7); }, "Index out of range (7)"},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.message;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message));
        }
    }
    r.list.Insert(3, Item(4)); // at Count is allowed
    EXPECT_EQ(r.list.Count(), 4);
}

TEST(GraphObjectListTest, MoveFiresOneReorderedEvent) {
    RecordingList r(4);
    r.list.Move(2, 2);
    EXPECT_TRUE(r.events.empty());
    r.list.Move(0, 3);
    EXPECT_EQ(r.events, (std::vector<std::string>{"reordered 1"}));
    EXPECT_EQ(r.list.Items(3), Item(1));
    EXPECT_EQ(r.list.Items(0), Item(2));
    r.list.Move(3, 1);
    EXPECT_EQ(r.list.Items(1), Item(1));
    EXPECT_EQ(r.list.Items(2), Item(3));
}

TEST(GraphObjectListTest, ClearAndShrinkingDeleteFromTheEnd) {
    RecordingList r(4);
    r.list.SetCapacity(2);
    EXPECT_EQ(r.events, (std::vector<std::string>{"removed 4", "removed 3"}));
    EXPECT_EQ(r.list.Capacity(), 2);
    r.events.clear();
    r.list.First();
    EXPECT_TRUE(r.list.Push());
    r.list.Clear();
    EXPECT_EQ(r.events, (std::vector<std::string>{"removed 2", "removed 1"}));
    EXPECT_EQ(r.list.Capacity(), 0);
    EXPECT_FALSE(r.list.Pop());
}

TEST(GraphObjectListTest, ForwardWalkDeletingItsCurrentItemVisitsEveryOtherOnce) {
    RecordingList r(6);
    std::vector<TGraphObject*> visited;
    for (TGraphObject* o = r.list.First(); o != nullptr; o = r.list.Next()) {
        visited.push_back(o);
        if (o == Item(2) || o == Item(3)) {
            r.list.Remove(o);
        }
        if (o == Item(4)) {
            r.list.Delete(0); // an item before the current one
        }
    }
    EXPECT_EQ(visited,
              (std::vector<TGraphObject*>{Item(1), Item(2), Item(3), Item(4), Item(5), Item(6)}));
    EXPECT_EQ(r.list.Count(), 3);
}

TEST(GraphObjectListTest, BackwardWalkContinuesWithThePrecedingItem) {
    RecordingList r(5);
    std::vector<TGraphObject*> visited;
    for (TGraphObject* o = r.list.Last(); o != nullptr; o = r.list.Prior()) {
        visited.push_back(o);
        if (o == Item(4)) {
            r.list.Remove(o);
        }
    }
    EXPECT_EQ(visited, (std::vector<TGraphObject*>{Item(5), Item(4), Item(3), Item(2), Item(1)}));
}

TEST(GraphObjectListTest, SavedWalksSurviveANestedWalkThatDeletes) {
    RecordingList r(5);
    std::vector<TGraphObject*> outer;
    for (TGraphObject* o = r.list.First(); o != nullptr; o = r.list.Next()) {
        outer.push_back(o);
        if (o == Item(2)) {
            ASSERT_TRUE(r.list.Push());
            // The nested walk deletes the outer walk's current item and one after it.
            for (TGraphObject* p = r.list.First(); p != nullptr; p = r.list.Next()) {
                if (p == Item(2) || p == Item(4)) {
                    r.list.Remove(p);
                }
            }
            ASSERT_TRUE(r.list.Pop());
        }
    }
    EXPECT_EQ(outer, (std::vector<TGraphObject*>{Item(1), Item(2), Item(3), Item(5)}));
}

TEST(GraphObjectListTest, WalkingPastTheEndOnceGivesNilThenAnError) {
    RecordingList r(2);
    EXPECT_EQ(r.list.First(), Item(1));
    EXPECT_EQ(r.list.Next(), Item(2));
    EXPECT_EQ(r.list.Next(), nullptr);
    EXPECT_THROW(r.list.Next(), EListError);
    EXPECT_FALSE(r.list.Push()); // no walk running

    TGraphObjectList fresh;
    try {
        fresh.Next();
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("List enumeration is not initialized"));
    }
    EXPECT_EQ(fresh.First(), nullptr);
    EXPECT_EQ(fresh.Last(), nullptr);
}

TEST(GraphObjectListTest, AssignReplaceAndIndexOf) {
    RecordingList source(3);
    source.list.Add(Item(2)); // a duplicate: IndexOf finds the last
    EXPECT_EQ(source.list.IndexOf(Item(2)), 3);
    RecordingList target(1);
    target.list.Assign(source.list);
    EXPECT_EQ(target.events,
              (std::vector<std::string>{"removed 1", "added 1", "added 2", "added 3", "added 2"}));
    target.events.clear();
    EXPECT_EQ(target.list.Replace(Item(2), Item(7)), 3);
    EXPECT_EQ(target.list.Items(1), Item(2));
    EXPECT_EQ(target.list.Replace(Item(9), Item(7)), -1);
    EXPECT_TRUE(target.events.empty());
}

} // namespace
} // namespace zov
