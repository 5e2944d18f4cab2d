//Maya ASCII 2024 scene
//Name: same_names.ma
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "shotA";
createNode transform -n "cam" -p "shotA";
createNode camera -n "camShape" -p "cam";
	setAttr ".fl" 35;
createNode transform -n "shotB";
createNode transform -n "cam" -p "shotB";
createNode camera -n "camShape" -p "|shotB|cam";
	setAttr ".fl" 70;
