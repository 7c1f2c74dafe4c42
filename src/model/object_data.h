#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/mo_stream.h"
#include "model/ze_class.h"

namespace ze {

class CObjectDataList;
class UndoBuffer;
class UndoRecord;

// Where an element was last placed in the preview (right and bottom
// exclusive); empty until it is painted.
struct PreviewRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool Contains(std::int32_t x, std::int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

// An object of a dialog (a TEXT, a BUTTON...). Its header columns (GRID) and
// commands belong to the same store as the object.
class CObjectData : public ZeClass {
public:
    explicit CObjectData(CObjectDataList* parent);

    // "Object:%s(%s)%s" with Type, Name and Text (TextOn when Text is empty).
    std::string GetTreeLabel() const override;
    // Also takes the parent and the header and command lists (the pointers),
    // and clears the selected flag.
    void CopyFrom(const ZeClass& other) override;
    // Same items, same parent, same header and command pointers in order.
    bool IsSameItems(const ZeClass& other) const override;
    int AddChild(ZeClass* command) override;
    void ForEachHeld(const std::function<void(ZeClass&)>& visit) const override;

    // Writes the element into dialog text at depth tabs.
    virtual void WriteText(CMoStream& stream, int depth) const;
    // The element whose preview rectangle holds the point; a group asks its
    // children from the last to the first and never hits itself.
    virtual CObjectData* HitTest(std::int32_t x, std::int32_t y);
    virtual void SetSelected(bool selected);
    virtual bool IsSelected() const { return selected_ != 0; }
    virtual CObjectData* FindSelected();
    // Moves this element into target when it is selected; 1 when it moved.
    virtual int MoveIfSelected(CObjectDataList& target);
    virtual int CountSelected() const;
    // The depth of the deepest element below, counting from depth.
    virtual int Depth(int depth) const;
    // Records this element into record, a step of buffer (UndoBuffer::BackUp),
    // then its header columns and commands that the history keeps
    // (UndoBuffer::BackUpIfKept). A group then records each of its children.
    virtual void MakeBackup(UndoBuffer& buffer, UndoRecord& record);

    bool IsGroup() const { return GetKind() == ElementKind::kGroup; }
    CObjectDataList* GetParent() const { return parent_; }
    void SetParent(CObjectDataList* parent) { parent_ = parent; }

    const std::vector<ZeClass*>& GetHeaders() const { return headers_; }
    std::vector<ZeClass*>& GetHeaders() { return headers_; }
    const std::vector<ZeClass*>& GetCommands() const { return commands_; }
    std::vector<ZeClass*>& GetCommands() { return commands_; }
    // Appends a header column; returns its index.
    int AddHeader(ZeClass* column);

    const PreviewRect& GetPreviewRect() const { return previewRect_; }
    void SetPreviewRect(const PreviewRect& rect) { previewRect_ = rect; }

protected:
    CObjectData(CObjectDataList* parent, ElementKind kind);
    // The members after the items: header columns, then the commands.
    void WriteHeadersAndCommands(CMoStream& stream, int depth, bool wroteBefore) const;

private:
    std::int32_t selected_ = 0;
    CObjectDataList* parent_;
    std::vector<ZeClass*> headers_;
    std::vector<ZeClass*> commands_;
    PreviewRect previewRect_;
};

// A group: an object that lays out its children (FRAME, LINEAR, PAGE...).
class CObjectDataList : public CObjectData {
public:
    explicit CObjectDataList(CObjectDataList* parent);

    // "Group:%s(%s)" with Layout and Name.
    std::string GetTreeLabel() const override;
    void CopyFrom(const ZeClass& other) override;
    bool IsSameItems(const ZeClass& other) const override;
    void ForEachHeld(const std::function<void(ZeClass&)>& visit) const override;

    void WriteText(CMoStream& stream, int depth) const override;
    CObjectData* HitTest(std::int32_t x, std::int32_t y) override;
    void SetSelected(bool selected) override;
    CObjectData* FindSelected() override;
    int MoveIfSelected(CObjectDataList& target) override;
    int CountSelected() const override;
    int Depth(int depth) const override;
    void MakeBackup(UndoBuffer& buffer, UndoRecord& record) override;

    CObjectData* HitTestFromRoot(std::int32_t x, std::int32_t y) { return HitTest(x, y); }
    // Clears the selected flag of this group and everything below it.
    void ClearSelection();

    const std::vector<CObjectData*>& GetChildren() const { return children_; }
    std::vector<CObjectData*>& GetChildren() { return children_; }
    // Appends child (whose parent the caller has set); returns its index.
    int AddObject(CObjectData* child);
    // -1 when child is not a direct child.
    int IndexOf(const CObjectData* child) const;
    // Puts element before reference (at the front when reference is null or
    // not a child) and makes this group its parent.
    void InsertBefore(CObjectData* element, const CObjectData* reference);
    // Puts element after reference (at the end when reference is null or not
    // a child) and makes this group its parent.
    void InsertAfter(CObjectData* element, const CObjectData* reference);
    // Takes child out of the list; with destroy, its store frees it and
    // everything it holds. False when child is not a direct child.
    bool Remove(CObjectData* child, bool destroy);
    // Whether element lies anywhere below this group.
    bool Holds(const CObjectData* element) const;

private:
    std::vector<CObjectData*> children_;
};

// Builds a new LINEAR group in front of chosen (in chosen's parent), moves
// every selected element of root's tree into it and selects it with its
// subtree. Groups that hold the new group stay where they are and are
// searched instead, so the tree never becomes cyclic. Returns the new group,
// or null (nothing changed) when chosen has no parent group or nothing is
// selected.
CObjectDataList* GroupSelected(CObjectDataList& root, CObjectData& chosen);

// Moves group's children into its parent at the group's place, in order, and
// takes the emptied group out of the parent (it stays in its store). Returns
// the first former child, or null (nothing changed) when the group has no
// parent or no children.
CObjectData* Ungroup(CObjectDataList& group);

}  // namespace ze
