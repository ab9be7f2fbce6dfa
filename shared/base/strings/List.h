// CList<T>: the client's doubly linked list of heap-allocated elements.  The
// list owns its nodes and the elements they hold: removing a node deletes
// its element.  Members taking a node accept null and answer null, except
// GetAt, for which a missing node or element is an assertion failure.
#pragma once

#include "strings/Node.h"

template <typename T>
class CList {
public:
    CList() = default;
    ~CList() { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    // Appends a node without element.
    CNode<T>* NewTailNode() {
        auto* node = new CNode<T>;
        node->prev = tail_;
        if (tail_)
            tail_->next = node;
        else
            head_ = node;
        tail_ = node;
        ++count_;
        return node;
    }

    // Appends a copy of value.
    CNode<T>* AddTail(const T& value) {
        CNode<T>* node = NewTailNode();
        node->data = new T(value);
        return node;
    }

    // Appends element and takes it over.
    CNode<T>* AddTail(T* element) {
        CNode<T>* node = NewTailNode();
        delete node->data;
        node->data = element;
        return node;
    }

    // Unlinks and deletes node and its element; returns the node before it,
    // or with direction 1 the node after it.
    CNode<T>* RemoveAt(CNode<T>* node, int direction) {
        if (!node) return nullptr;
        CNode<T>* before = node->prev;
        CNode<T>* after = node->next;
        if (before)
            before->next = after;
        else
            head_ = after;
        if (after)
            after->prev = before;
        else
            tail_ = before;
        --count_;
        T* element = node->data;
        delete node;
        delete element;
        return direction == 1 ? after : before;
    }

    void RemoveAll() {
        while (head_) RemoveAt(head_, 1);
    }

    CNode<T>* GetHead() const { return head_; }
    CNode<T>* GetTail() const { return tail_; }
    CNode<T>* GetNext(CNode<T>* node) const { return node ? node->next : nullptr; }
    CNode<T>* GetPrev(CNode<T>* node) const { return node ? node->prev : nullptr; }
    int GetCount() const { return count_; }

    T& GetAt(CNode<T>* node) const {
        if (!node) {
            char name[192];
            char text[1024];
            ListElementName(name, sizeof name, __PRETTY_FUNCTION__);
            snprintf(text, sizeof text, "class %s & CList<%s>::GetAt<%s>(class CNode<%s> *) const",
                     name, name, name, name);
            AssertFail("0", "shared/base/list", 548, text);
        }
        return node->GetDataRef();
    }

private:
    CNode<T>* head_ = nullptr;
    CNode<T>* tail_ = nullptr;
    int count_ = 0;
};
