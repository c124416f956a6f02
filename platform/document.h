// CDocument: the data that views show. A document is owned by whoever creates it (the
// application, a test) and outlives the frames that show it; it only knows its views
// and the frames created on it, and forgets them as they go.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/cmd_target.h"
#include "platform/position.h"

class CView;
class CFrameWnd;

class CDocument : public CCmdTarget {
  DECLARE_DYNCREATE(CDocument)

 public:
  CDocument() = default;
  ~CDocument() override;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;

  // Views join a document when they are created on it and leave when destroyed.
  void AddView(CView* view);
  void RemoveView(CView* view);
  POSITION GetFirstViewPosition() const;
  // The view at `position`; moves `position` on (null after the last view).
  CView* GetNextView(POSITION& position) const;
  int GetViewCount() const { return static_cast<int>(m_views.size()); }

  // Calls OnUpdate of every view but the sender, synchronously. Views added meanwhile
  // are not called; views removed meanwhile are not called any more.
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

  const CString& GetTitle() const { return m_strTitle; }
  // Also updates the caption of every frame showing the document.
  virtual void SetTitle(const char* title);
  const CString& GetPathName() const { return m_strPathName; }
  // The title becomes the file's name.
  virtual void SetPathName(const char* pathName, BOOL addToRecentFiles = TRUE);

  virtual BOOL IsModified();
  virtual void SetModifiedFlag(BOOL modified = TRUE);

  // Empties the document for a fresh start: no contents, no path, not modified.
  virtual BOOL OnNewDocument();
  // Destroys the frames showing the document and empties it; the document itself stays.
  virtual void OnCloseDocument();
  // Releases the document's data; the base has none.
  virtual void DeleteContents();
  // Called after a view joined or left.
  virtual void OnChangedViewList();

  // Frames created on the document show it even before they have a view.
  void AddFrame(CFrameWnd* frame);
  void RemoveFrame(CFrameWnd* frame);
  // The frames showing the document: those created on it and those holding its views,
  // each frame once.
  std::vector<CFrameWnd*> GetFrames() const;

 private:
  struct ViewLink {
    CView* view;
    std::uint64_t serial;  // tells a view apart from a later one at the same address
    bool operator==(const ViewLink&) const = default;
  };
  bool IsLinked(const ViewLink& link) const;
  void UpdateFrameTitles();

  std::vector<ViewLink> m_views;
  std::vector<CFrameWnd*> m_frames;
  std::uint64_t m_nextSerial = 0;
  CString m_strTitle;
  CString m_strPathName;
  bool m_modified = false;
};
