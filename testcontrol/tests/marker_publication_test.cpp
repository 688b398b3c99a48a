#include <gtest/gtest.h>

#include <thread>

#include "marker_test_support.h"

using namespace zevote;
using namespace zevote::testing;
using V = std::vector<std::uint32_t>;

namespace {

class MarkerPublication : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ResetMarkerGlobalsForTesting();
        recordsBefore_ = vb::low::LiveRecordCount();
    }
    void TearDown() override {
        for (FakeControl* c : controls_) {
            WithdrawTestMarkers(*c);
            FakeControl::Destroy(c);
        }
        for (win::HWND h : win::TopLevelWindows()) win::DestroyWindow(h);
        ResetMarkerGlobalsForTesting();
        vb::low::SimulateExhaustedForTesting(false);
    }
    FakeControl* Control(win::HWND container) {
        FakeControl* c = FakeControl::Create(container);
        controls_.push_back(c);
        return c;
    }
    FakeControl* Published(win::HWND container) {
        FakeControl* c = Control(container);
        PublishTestMarkers(*c);
        return c;
    }
    // Records taken by the test beyond those that were live at its start.
    std::size_t RecordsInUse() const { return vb::low::LiveRecordCount() - recordsBefore_; }

    std::vector<FakeControl*> controls_;
    std::size_t recordsBefore_ = 0;
};

TEST_F(MarkerPublication, FirstControlOnAFormPublishesItselfAndMarksItsWindow) {
    win::HWND form = Form();
    FakeControl* c = Published(form);

    EXPECT_EQ(DispatchValue(form), c->P());
    EXPECT_EQ(win::GetProp(form, kDispatchHighProperty), c->P() >> 16);
    EXPECT_EQ(win::GetProp(form, kDispatchLowProperty), c->P() & 0xFFFF);
    EXPECT_EQ(ListValues(form), V{c->P()});
    EXPECT_EQ(NodeAt(ReadListHead(form))->next, 0u);
    EXPECT_EQ(win::GetProp(c->window, kSkipMeProperty), 1u);
    EXPECT_EQ(c->fields.registered, 1);
    EXPECT_EQ(c->fields.registeredForm, form);
    EXPECT_EQ(c->fields.previousForm, 0u);
    EXPECT_EQ(MarkerGlobalsSnapshot().lastRegisteredForm, form);
    EXPECT_EQ(c->extentRequests, 1);
    EXPECT_EQ(c->tabOrderValues, V{c->P()});

    // Publishing again only asks for the extent again.
    PublishTestMarkers(*c);
    EXPECT_EQ(c->extentRequests, 2);
    EXPECT_EQ(ListValues(form), V{c->P()});
    EXPECT_EQ(c->tabOrderValues.size(), 1u);
}

TEST_F(MarkerPublication, SecondControlOnTheSameFormIsAppendedAndBecomesTheDispatch) {
    win::HWND form = Form();
    win::HWND frame = Child(form, "ThunderRT6Frame");
    FakeControl* first = Published(form);
    FakeControl* second = Published(frame);

    EXPECT_EQ(ListValues(form), (V{first->P(), second->P()}));
    EXPECT_EQ(DispatchValue(form), second->P());
    EXPECT_EQ(second->fields.registeredForm, form);
    EXPECT_EQ(second->fields.previousForm, 0u);
    EXPECT_FALSE(HasList(frame));
}

TEST_F(MarkerPublication, ControlOnANewFormAlsoHangsOnThePreviousForm) {
    win::HWND a = Form();
    win::HWND b = Form();
    FakeControl* onA = Published(a);
    FakeControl* onB = Published(b);

    EXPECT_EQ(ListValues(b), V{onB->P()});
    EXPECT_EQ(ListValues(a), (V{onA->P(), onB->P()}));
    EXPECT_EQ(DispatchValue(a), onA->P());
    EXPECT_EQ(DispatchValue(b), onB->P());
    EXPECT_EQ(onB->fields.previousForm, a);
    EXPECT_EQ(MarkerGlobalsSnapshot().lastRegisteredForm, b);

    // Withdrawal takes the control off both forms.
    WithdrawTestMarkers(*onB);
    EXPECT_EQ(ListValues(a), V{onA->P()});
    EXPECT_FALSE(HasList(b));
    EXPECT_FALSE(HasDispatch(b));
    EXPECT_EQ(onB->fields.registered, 0);
}

TEST_F(MarkerPublication, PendingControlsAreAdoptedByTheNextRealForm) {
    win::HWND hiddenMain = Popup("ThunderRT6Main");
    win::HWND x = Child(hiddenMain);
    win::HWND y = Child(hiddenMain);
    FakeControl* px = Published(x);
    FakeControl* py = Published(y);

    EXPECT_EQ(PendingValues(), (V{px->P(), py->P()}));
    EXPECT_EQ(PendingSlotFields(), (V{AddressOf(&px->fields.registeredForm), AddressOf(&py->fields.registeredForm)}));
    EXPECT_EQ(px->fields.registeredForm, 0u);
    EXPECT_EQ(px->fields.registered, 1);
    EXPECT_EQ(DispatchValue(hiddenMain), py->P());
    EXPECT_FALSE(HasList(hiddenMain));
    EXPECT_EQ(MarkerGlobalsSnapshot().lastRegisteredForm, 0u);

    win::HWND form = Form();
    FakeControl* pz = Published(form);
    EXPECT_EQ(ListValues(form), (V{pz->P(), px->P(), py->P()}));
    EXPECT_TRUE(PendingValues().empty());
    EXPECT_EQ(MarkerGlobalsSnapshot().pendingSlotList, 0u);
    EXPECT_EQ(px->fields.registeredForm, form);
    EXPECT_EQ(py->fields.registeredForm, form);
    EXPECT_EQ(pz->fields.previousForm, 0u);
    EXPECT_EQ(MarkerGlobalsSnapshot().lastRegisteredForm, form);
    EXPECT_EQ(RecordsInUse(), 3u);  // the slot records are gone

    WithdrawTestMarkers(*px);
    EXPECT_EQ(ListValues(form), (V{pz->P(), py->P()}));
}

TEST_F(MarkerPublication, PendingPathWithAKnownFormJoinsThatForm) {
    win::HWND form = Form();
    FakeControl* onForm = Published(form);
    win::HWND hiddenMain = Popup("ThunderRT5Main");
    FakeControl* hidden = Published(Child(hiddenMain));

    EXPECT_EQ(ListValues(form), (V{onForm->P(), hidden->P()}));
    EXPECT_EQ(DispatchValue(hiddenMain), hidden->P());
    EXPECT_EQ(DispatchValue(form), onForm->P());
    EXPECT_EQ(hidden->fields.registeredForm, form);
    EXPECT_EQ(hidden->fields.previousForm, 0u);
    EXPECT_TRUE(PendingValues().empty());
    EXPECT_EQ(MarkerGlobalsSnapshot().lastRegisteredForm, form);
}

TEST_F(MarkerPublication, NoDispatchPairOutlivesItsControl) {
    // Known form: the pair set where the search stopped goes with the control.
    win::HWND form = Form();
    Published(form);
    win::HWND hiddenMain = Popup("ThunderRTMain");
    FakeControl* hidden = Published(Child(hiddenMain));
    WithdrawTestMarkers(*hidden);
    EXPECT_FALSE(HasDispatch(hiddenMain));

    // Pending, then adopted: the pair on the hidden window names the last
    // pending control until that one goes.
    ResetMarkerGlobalsForTesting();
    win::HWND hiddenMain2 = Popup("ThunderRT6Main");
    FakeControl* x = Published(Child(hiddenMain2));
    FakeControl* y = Published(Child(hiddenMain2));
    Published(Form());
    WithdrawTestMarkers(*x);
    EXPECT_EQ(DispatchValue(hiddenMain2), y->P());
    WithdrawTestMarkers(*y);
    EXPECT_FALSE(HasDispatch(hiddenMain2));
}

TEST_F(MarkerPublication, MultipleDocumentParentIsForgottenAsLastForm) {
    for (const char* mdiClass : {"ThunderMDIForm", "ThunderRT5MDIForm", "ThunderRT6MDIForm", "ThunderMDIFormDC",
                                 "ThunderRT5MDIFormDC", "thunderrt6mdiformdc"}) {
        SCOPED_TRACE(mdiClass);
        ResetMarkerGlobalsForTesting();
        win::HWND mdi = Form(mdiClass);
        FakeControl* onMdi = Published(mdi);
        EXPECT_EQ(MarkerGlobalsSnapshot().lastRegisteredForm, mdi);

        win::HWND child = Child(mdi, "ThunderRT6FormDC", win::WS_THICKFRAME);
        FakeControl* onChild = Published(child);
        EXPECT_EQ(ListValues(mdi), V{onMdi->P()});  // no second node on the parent
        EXPECT_EQ(onChild->fields.previousForm, 0u);
        EXPECT_EQ(ListValues(child), V{onChild->P()});
        EXPECT_EQ(MarkerGlobalsSnapshot().lastRegisteredForm, child);
    }
    // Forgotten before the pending decision too.
    ResetMarkerGlobalsForTesting();
    Published(Form("ThunderRT6MDIForm"));
    FakeControl* hidden = Published(Child(Popup("ThunderRT6Main")));
    EXPECT_EQ(PendingValues(), V{hidden->P()});
}

TEST_F(MarkerPublication, LastFormIsForgottenWhenGoneOrOfAnotherThread) {
    win::HWND gone = Form();
    Published(gone);
    win::DestroyWindow(gone);
    FakeControl* next = Published(Form());
    EXPECT_EQ(next->fields.previousForm, 0u);

    // A form of another thread than the container gets no markers.
    win::HWND foreign = 0;
    std::thread([&] { foreign = Form(); }).join();
    FakeControl* onForeign = Published(Child(foreign));
    EXPECT_FALSE(HasDispatch(foreign));
    EXPECT_FALSE(HasList(foreign));
    EXPECT_EQ(onForeign->fields.registeredForm, 0u);
    EXPECT_EQ(win::GetProp(onForeign->window, kSkipMeProperty), 1u);
    EXPECT_EQ(MarkerGlobalsSnapshot().lastRegisteredForm, next->container);
}

TEST_F(MarkerPublication, WithdrawingTheHeadMovesOrRemovesTheHeadProperties) {
    win::HWND form = Form();
    FakeControl* first = Published(form);
    FakeControl* second = Published(form);
    FakeControl* third = Published(form);
    const std::uint32_t secondNode = NodeAt(ReadListHead(form))->next;

    WithdrawTestMarkers(*first);
    EXPECT_EQ(ReadListHead(form), secondNode);
    EXPECT_EQ(ListValues(form), (V{second->P(), third->P()}));
    EXPECT_FALSE(HasDispatch(form));  // withdrawal removes the pair from the form
    EXPECT_FALSE(win::HasProp(first->window, kSkipMeProperty));

    WithdrawTestMarkers(*third);  // the tail
    EXPECT_EQ(ListValues(form), V{second->P()});
    WithdrawTestMarkers(*second);
    EXPECT_FALSE(HasList(form));
    EXPECT_EQ(RecordsInUse(), 0u);

    // A control that is not in the list changes nothing.
    FakeControl* again = Published(form);
    WithdrawTestMarkers(*first);
    EXPECT_EQ(ListValues(form), V{again->P()});
}

TEST_F(MarkerPublication, WithdrawingPendingControlsKeepsBothListsInStep) {
    win::HWND hiddenMain = Popup("ThunderRT6Main");
    FakeControl* a = Published(Child(hiddenMain));
    FakeControl* b = Published(Child(hiddenMain));
    FakeControl* c = Published(Child(hiddenMain));

    WithdrawTestMarkers(*b);  // the middle
    EXPECT_EQ(PendingValues(), (V{a->P(), c->P()}));
    EXPECT_EQ(PendingSlotFields(), (V{AddressOf(&a->fields.registeredForm), AddressOf(&c->fields.registeredForm)}));
    WithdrawTestMarkers(*a);  // the head
    EXPECT_EQ(PendingValues(), V{c->P()});
    EXPECT_EQ(PendingSlotFields(), V{AddressOf(&c->fields.registeredForm)});
    WithdrawTestMarkers(*c);
    EXPECT_EQ(MarkerGlobalsSnapshot().pendingNodeList, 0u);
    EXPECT_EQ(MarkerGlobalsSnapshot().pendingSlotList, 0u);
    EXPECT_EQ(RecordsInUse(), 0u);

    // A withdrawn pending control is not adopted later.
    win::HWND form = Form();
    FakeControl* z = Published(form);
    EXPECT_EQ(ListValues(form), V{z->P()});
    EXPECT_EQ(a->fields.registeredForm, 0u);
}

TEST_F(MarkerPublication, ControlInsideAUserControlHangsANodeThere) {
    win::HWND form = Form();
    win::HWND userControl = Child(form, "ThunderRT6UserControlDC");
    FakeControl* inside = Published(Child(userControl));

    EXPECT_EQ(ListValues(form), V{inside->P()});
    EXPECT_EQ(ListValues(userControl), V{inside->P()});
    EXPECT_EQ(inside->fields.enclosingUserControl, userControl);
    EXPECT_FALSE(HasDispatch(userControl));

    WithdrawTestMarkers(*inside);
    EXPECT_FALSE(HasList(userControl));
    EXPECT_FALSE(HasList(form));

    // A user document that is itself the form gets one node only.
    win::HWND document = Form("ThunderRT6UserDocument");
    FakeControl* onDocument = Published(document);
    EXPECT_EQ(ListValues(document), V{onDocument->P()});
    EXPECT_EQ(onDocument->fields.enclosingUserControl, 0u);
}

TEST_F(MarkerPublication, SearchEndingAtAnExtensionFrameStillMarksTheControl) {
    win::HWND xframe = Form("ThunderXFrame");
    win::HWND userControl = Child(xframe, "ThunderUserControl");
    FakeControl* c = Published(userControl);
    EXPECT_FALSE(HasDispatch(xframe));
    EXPECT_FALSE(HasList(xframe));
    EXPECT_EQ(ListValues(userControl), V{c->P()});  // the user-control step still runs
    EXPECT_EQ(win::GetProp(c->window, kSkipMeProperty), 1u);
    EXPECT_EQ(c->tabOrderValues, V{c->P()});
    EXPECT_EQ(c->fields.registered, 1);
}

TEST_F(MarkerPublication, NoContainerWindowPublishesNothing) {
    FakeControl* c = Published(0);
    EXPECT_EQ(c->extentRequests, 1);
    EXPECT_EQ(c->fields.registered, 0);
    EXPECT_EQ(RecordsInUse(), 0u);
}

TEST_F(MarkerPublication, ParentCarryingAnAtlControlValuePublishesThatValue) {
    win::HWND form = Form();
    win::SetProp(form, "ATL_CONTROL", 0x12345678);
    FakeControl* c = Published(form);
    EXPECT_EQ(DispatchValue(form), 0x12345678u);
    EXPECT_EQ(ListValues(form), V{0x12345678u});
    // Withdrawal looks for the control's own address, so the node stays.
    WithdrawTestMarkers(*c);
    EXPECT_EQ(ListValues(form), V{0x12345678u});
    EXPECT_FALSE(HasDispatch(form));
    UnlinkValue(form, 0x12345678u);
}

TEST_F(MarkerPublication, AddressesThatDoNotFit32BitsAreNeverPublished) {
    win::HWND form = Form();
    FakeControl* high = Control(form);
    high->interfaceAddress = std::uintptr_t{0x1'0000'1000};
    PublishTestMarkers(*high);
    EXPECT_FALSE(HasDispatch(form));
    EXPECT_FALSE(HasList(form));
    EXPECT_EQ(win::GetProp(high->window, kSkipMeProperty), 1u);
    EXPECT_TRUE(high->tabOrderValues.empty());
    EXPECT_EQ(RecordsInUse(), 0u);
}

TEST_F(MarkerPublication, NoLowMemoryPublishesNothingAndKeepsListsConsistent) {
    win::HWND form = Form();
    FakeControl* first = Published(form);
    FakeControl* second = Control(form);
    FakeControl* hidden = Control(Child(Popup("ThunderRT6Main")));
    vb::low::SimulateExhaustedForTesting(true);
    PublishTestMarkers(*second);
    PublishTestMarkers(*hidden);
    vb::low::SimulateExhaustedForTesting(false);

    EXPECT_EQ(ListValues(form), V{first->P()});
    EXPECT_EQ(DispatchValue(form), first->P());
    EXPECT_EQ(second->fields.registeredForm, 0u);
    EXPECT_EQ(hidden->fields.registeredForm, 0u);
    EXPECT_TRUE(PendingValues().empty());
    EXPECT_EQ(win::GetProp(second->window, kSkipMeProperty), 1u);
    WithdrawTestMarkers(*second);
    EXPECT_EQ(ListValues(form), V{first->P()});
    EXPECT_EQ(DispatchValue(form), first->P());
}

TEST_F(MarkerPublication, ListHeadsThatAreNotOurRecordsAreNeverFollowed) {
    win::HWND form = Form();
    WriteSplitValue(form, kListHighProperty, kListLowProperty, 0x00001230);  // not a record of ours
    FakeControl* c = Published(form);
    EXPECT_EQ(ListValues(form), V{c->P()});

    win::HWND other = Form();
    WriteSplitValue(other, kListHighProperty, kListLowProperty, 0x00001230);
    UnlinkValue(other, 0);  // nothing to follow, nothing changes
    EXPECT_EQ(ReadListHead(other), 0x00001230u);

    // A slot record is not a node, even at a real record address.
    PendingSlot* slot = NewPendingSlot(0);
    WriteSplitValue(other, kListHighProperty, kListLowProperty, AddressOf(slot));
    EXPECT_TRUE(ListValues(other).empty());
    FreePendingSlot(slot);
}

TEST_F(MarkerPublication, WindowsGoneBeforeWithdrawalAreSkipped) {
    win::HWND a = Form();
    win::HWND b = Form();
    Published(a);
    win::HWND userControl = Child(b, "ThunderRT6UserControl");
    FakeControl* c = Published(Child(userControl));
    win::DestroyWindow(a);
    win::DestroyWindow(b);
    WithdrawTestMarkers(*c);
    EXPECT_EQ(c->fields.registered, 0);
}

}  // namespace
