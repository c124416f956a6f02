// CSetOp: operations that set properties of design items, each as one undoable step.
#pragma once

class CDesign;
class CDesignItem;

class CSetOp {
 public:
  // Lets the user edit the named values of `item` (a component's attributes) in the
  // values dialog. OK writes them back inside an undo level of their own; Cancel changes
  // nothing. True when something changed. False, with the reason recorded as the last
  // error, when the item has no values to edit or does not belong to `design`.
  static bool ChangeValues(CDesign* design, CDesignItem* item);
};
