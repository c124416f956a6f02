#include "host/model/scm_component.h"

IMPLEMENT_DYNAMIC(CScmComponent, CObject)

bool CScmComponent::IsKnownFlag(int flag) {
  return flag > 0 && (static_cast<unsigned>(flag) & ~kAllShowNames) == 0;
}

bool CScmComponent::GetShowName(int flag) const {
  if (!IsKnownFlag(flag)) return false;
  const unsigned bits = static_cast<unsigned>(flag);
  return (m_showNames & bits) == bits;
}

bool CScmComponent::SetShowName(int flag, bool show) {
  if (!IsKnownFlag(flag)) return false;
  const unsigned bits = static_cast<unsigned>(flag);
  m_showNames = show ? (m_showNames | bits) : (m_showNames & ~bits);
  return true;
}
