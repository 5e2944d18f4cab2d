#pragma once

// A class identity made from the class name. Two identities are the same class when their names
// are equal, so an identity made in one module matches one made in another.
//
// The name is not copied: pass text with static lifetime (a literal). The constructor is
// constexpr so identities are constant-initialised and usable from any static initialiser.
class type_info {
 public:
  constexpr explicit type_info(const char* className) : name_(className) {}
  type_info(const type_info&) = delete;
  type_info& operator=(const type_info&) = delete;

  const char* name() const { return name_; }
  bool operator==(const type_info& other) const;
  bool operator!=(const type_info& other) const { return !(*this == other); }

 private:
  const char* name_;
};
