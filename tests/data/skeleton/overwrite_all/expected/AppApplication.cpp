// AppApplication.cpp
dialog Alpha (Shared) listed
dialog ベータ (Unique) listed
dialog Gamma (None) listed
dialog Delta (none) listed
dialog Pop (Popup) listed
dialog Eps () listed
dialog Miss (Missing) listed
first: Alpha
first: ベータ
first: Gamma
first: Delta
first: Pop
first: Eps
first: Miss
end
