// CDesign: the document the editor works on. It holds package records (CComponent) in
// order, design attributes, the colours the design is drawn in, the selection, and the
// undo history of its records. CScmDesign and CPcbDesign are its schematic and PCB
// kinds.
//
// Component and package names compare ignoring case, as a user reads them.
#pragma once

#include <memory>
#include <vector>

#include "host/model/attribute.h"
#include "host/model/component.h"
#include "host/model/design_colours.h"
#include "host/model/highlight_overview.h"
#include "host/model/layer.h"
#include "host/model/selection_overview.h"
#include "host/model/technology.h"
#include "host/model/undo_history.h"
#include "platform/document.h"

// Placed form of components: see the block at the end of CDesign.
class CComponentInstance;
struct InstanceTextSizes;

class CDesign : public CDocument {
  DECLARE_DYNCREATE(CDesign)

 public:
  CDesign();
  ~CDesign() override;

  // A new record. It takes the gates of the component's first record, if there is one,
  // without their pins, and the component-wide fields (description, default reference,
  // show names, attributes).
  CComponent* AddComponent(const char* name, const char* package);
  // A deep copy of `source`, which may belong to any design; null for a null source.
  CComponent* AddComponent(const CComponent* source);
  // False when the record is not this design's.
  bool DeleteComponent(CComponent* component);
  int CountComponents() const { return static_cast<int>(m_components.size()); }
  CComponent* FirstComponent() const { return m_components.empty() ? nullptr : m_components.front().get(); }
  CComponent* FirstComponent(POSITION& position) const;
  CComponent* NextComponent(POSITION& position) const;
  // The walk over the records of the component named `name`.
  CComponent* FirstComponent(POSITION& position, const char* name) const;
  CComponent* NextComponent(POSITION& position, const char* name) const;
  // The first record with both names; null when there is none.
  CComponent* FindComponent(const char* name, const char* package) const;

  // Design attributes; names compare ignoring case. Not part of undo.
  CAttribute* FindAttribute(const char* name) const { return m_attributes.Find(name); }
  CAttribute* AddAttribute(const char* name, const char* value) { return m_attributes.Add(name, value); }
  CAttributeList* GetAttributes() { return &m_attributes; }

  CDesignColours* GetDesignColours() { return &m_colours; }
  CSelectionOverview* GetSelectionOverview() { return &m_selection; }
  CHighlightOverview* GetHighlightOverview() { return &m_highlights; }
  void SetAutoAllocateStyles(bool autoAllocate) { m_autoAllocateStyles = autoAllocate; }
  bool GetAutoAllocateStyles() const { return m_autoAllocateStyles; }

  // Undo levels bracket one undoable step named by a string-table id. A level opened
  // inside an open level folds into it; a level that changed no record leaves no step.
  void StartUndoLevel(UINT id);
  // False when no level is open, or `id` is not the innermost level's (which is closed
  // all the same).
  bool EndUndoLevel(UINT id);
  bool IsUndoLevelOpen() const { return m_undo.IsLevelOpen(); }
  // Nothing can be undone or redone while a level is open.
  bool CanUndo() const;
  bool CanRedo() const;
  int GetUndoCount() const { return m_undo.CountUndo(); }
  // The string-table text of the step's id; empty when there is no step.
  CString GetUndoName() const;
  CString GetRedoName() const;
  // Each sets the changed records back or forth, keeping the objects of the records and
  // gates that exist on both sides, and then refreshes every view.
  bool Undo();
  bool Redo();
  // Told of every StartUndoLevel and EndUndoLevel, nested ones included.
  void SetUndoLevelObserver(UndoLevelObserver observer) { m_undoObserver = std::move(observer); }

  void DeleteContents() override;

  // ---- Validity check (design_check.cpp) ----
  // Checks every package record: pins of the pin map against the package and its PCB
  // symbol, the gates' symbols, and the records of one component against each other.
  // Libraries named without a folder are found beside the design's path name. Writes
  // the findings into `file`, one per line (an empty file means valid), and returns
  // them joined by newlines; when the file cannot be written the last error says why.
  CString CheckValid(const CString& file) const;
  // ---- end of validity check ----

 private:
  CComponent* AppendComponent(std::unique_ptr<CComponent> component);
  CComponent* FindComponentById(std::uint64_t id) const;
  RecordValues CaptureRecords() const;
  void ApplyStep(const UndoStep& step, bool towardsBefore);
  void ApplyRecord(const RecordChange& change, bool towardsBefore);
  void OrderRecords(const std::vector<std::uint64_t>& order);
  void NotifyUndoLevel(UndoLevelEvent::Kind kind, UINT id) const;
  void ReleaseContents();

  // The overviews outlive the items, which leave them as they go.
  CSelectionOverview m_selection;
  CHighlightOverview m_highlights;
  CDesignColours m_colours;
  CAttributeList m_attributes;
  std::vector<std::unique_ptr<CComponent>> m_components;
  // The placed forms of the components; filled by instance placement.
  std::vector<std::unique_ptr<CDesignItem>> m_componentInstances;
  bool m_autoAllocateStyles = false;
  CUndoHistory m_undo;
  UndoLevelObserver m_undoObserver;

  // ---- Placed form of components (design_placement.cpp) ----
  // Component instances are presentation, rebuilt from the records: they stay out of
  // undo and never mark the design modified. An instance reads its component, which
  // must stay in the design while the instance does.
 public:
  // Places `component` under `reference`: in a schematic design one symbol instance per
  // gate with a symbol (only the first such gate unless `allGates`), in a PCB design
  // the package's PCB symbol. Library names are found from `libraryFile`, the
  // component library file, by CSymbolLibraryLocator. Null, with
  // the last error recorded and the design unchanged, when a library cannot be opened
  // or lacks a symbol.
  CComponentInstance* AddComponentInstance(const char* reference, CComponent* component,
                                           const char* libraryFile, bool allGates);
  int CountComponentInstances() const { return static_cast<int>(m_componentInstances.size()); }
  CComponentInstance* FirstComponentInstance() const;
  CComponentInstance* FirstComponentInstance(POSITION& position) const;
  CComponentInstance* NextComponentInstance(POSITION& position) const;
  // Its items leave the selection. False when the instance is not this design's.
  bool DeleteComponentInstance(CComponentInstance* instance);
  void DeleteAllComponentInstances();

  // The box round everything shown of every instance, in design units (left <= right,
  // top <= bottom, y growing upwards); CRect() when nothing is placed.
  CRect GetExtents() const;
  // The area the drawing shows; moving the contents leaves it where it is.
  void SetDesignArea(const CRect& area) { m_designArea = area; }
  const CRect& GetDesignArea() const { return m_designArea; }
  // Moves every instance.
  void Shift(int dx, int dy);

  // Schematic for a plain design or a CScmDesign, PCB for a CPcbDesign.
  SymbolKind GetSymbolKind() const;
  // Merges the technology file at `path`: its layers (kept only by a PCB design) and
  // text styles join the design unless the design has one of the same name, and its
  // colours become the design's. False, with the last error recorded (and shown when
  // `reportErrors`), when the file cannot be read or is of the other kind. The
  // technology stays when the contents are deleted: it is the design's set-up.
  bool AddDesign(const CString& path, bool reportErrors);
  // Null in a schematic design and before a technology was merged.
  CLayer* FirstLayer() const { return m_layers.empty() ? nullptr : m_layers.front().get(); }
  CLayer* FirstLayer(POSITION& position) const;
  CLayer* NextLayer(POSITION& position) const;
  // Names compare ignoring case; null when none matches.
  CLayer* FindLayer(const char* name) const;
  const CTextStyle* FindTextStyle(const char* name) const;

 private:
  InstanceTextSizes GetInstanceTextSizes() const;
  void MergeTechnology(const CTechnology& technology);

  std::vector<std::unique_ptr<CLayer>> m_layers;
  std::vector<CTextStyle> m_textStyles;
  CRect m_designArea;
  // ---- end of the placed form ----
};

class CScmDesign : public CDesign {
  DECLARE_DYNCREATE(CScmDesign)
};

class CPcbDesign : public CDesign {
  DECLARE_DYNCREATE(CPcbDesign)
};
