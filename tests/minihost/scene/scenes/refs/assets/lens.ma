//Maya ASCII 2024 scene
//Name: lens.ma
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "flare";
	setAttr ".ty" 3;
// End of lens.ma
