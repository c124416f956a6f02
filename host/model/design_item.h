// CDesignItem: anything in a design that the user can select or highlight. The marks
// are presentation state: they are never copied, stored or undone.
#pragma once

#include "platform/object.h"

class CDesign;

class CDesignItem : public CObject {
  DECLARE_DYNAMIC(CDesignItem)

 public:
  CDesignItem(const CDesignItem&) = delete;
  CDesignItem& operator=(const CDesignItem&) = delete;
  // A selected item leaves its design's selection overview as it goes.
  ~CDesignItem() override;

  // Overrides must call these so that the owner's selection overview stays in step.
  virtual void SetSelected(bool selected);
  virtual bool IsSelected() const { return m_selected; }
  virtual void SetHighlight(bool highlight) { m_highlight = highlight; }
  virtual bool GetHighlight() const { return m_highlight; }
  // Null for an item that belongs to no design.
  virtual CDesign* GetOwnerDesign() const { return m_ownerDesign; }

  // Set by the design that takes the item in; a selected item moves its selection along.
  void SetOwnerDesign(CDesign* design);

 protected:
  CDesignItem() = default;

 private:
  CDesign* m_ownerDesign = nullptr;
  bool m_selected = false;
  bool m_highlight = false;
};
