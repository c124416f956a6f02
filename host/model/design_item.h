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
  // A marked item leaves its design's overviews as it goes.
  ~CDesignItem() override;

  // Overrides must call these so that the owner's selection and highlight overviews
  // stay in step.
  virtual void SetSelected(bool selected);
  virtual bool IsSelected() const { return m_selected; }
  virtual void SetHighlight(bool highlight);
  virtual bool GetHighlight() const { return m_highlight; }
  // Null for an item that belongs to no design.
  virtual CDesign* GetOwnerDesign() const { return m_ownerDesign; }

  // Set by the design that takes the item in; a marked item moves its marks along.
  void SetOwnerDesign(CDesign* design);

 protected:
  CDesignItem() = default;

 private:
  CDesign* m_ownerDesign = nullptr;
  bool m_selected = false;
  bool m_highlight = false;
};
