//Maya ASCII 2024 scene
//Name: transforms.ma
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "rotatePivoted";
	setAttr ".t" -type "double3" 10 0 0 ;
	setAttr ".r" -type "double3" 0 0 90 ;
	setAttr ".rp" -type "double3" 1 0 0 ;
	setAttr ".rpt" -type "double3" 0 5 0 ;
createNode transform -n "scalePivoted";
	setAttr ".s" -type "double3" 2 1 1 ;
	setAttr ".sp" -type "double3" 1 0 0 ;
	setAttr ".spt" -type "double3" 0 0 3 ;
createNode transform -n "sheared";
	setAttr ".sh" -type "double3" 1 0 0 ;
createNode transform -n "axisTurned";
	setAttr ".ra" -type "double3" 0 0 90 ;
createNode transform -n "orderXYZ";
	setAttr ".r" -type "double3" 90 90 0 ;
createNode transform -n "orderZYX";
	setAttr ".r" -type "double3" 90 90 0 ;
	setAttr ".ro" 5;
createNode transform -n "parent";
	setAttr ".t" -type "double3" 0 100 0 ;
createNode transform -n "inheriting" -p "parent";
	setAttr ".t" -type "double3" 1 2 3 ;
createNode transform -n "independent" -p "parent";
	setAttr ".t" -type "double3" 1 2 3 ;
	setAttr ".it" no;
