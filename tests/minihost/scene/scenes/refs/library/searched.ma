//Maya ASCII 2024 scene
//Name: searched.ma
currentUnit -l meter -a degree -t film;
createNode transform -n "found";
	setAttr ".tx" 2;
// End of searched.ma
